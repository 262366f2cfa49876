#pragma once

#include <QDialog>
#include <QString>

#include "ui/widgets/CPicture.h"
#include "ui/widgets/WebAddresses.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvane {

class DesktopServices;
class LinkLabel;
class PictureControl;

// The About box: name and version, the banner, the terms of use and the address of the
// converter's page. The banner opens the home page, the address the converter's page.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    // `bannerName` is the banner's Qt resource (":/GIF/<name>").
    CAboutDlg(DesktopServices& services, WebAddresses addresses, QWidget* parent = nullptr,
              const QString& bannerName = QStringLiteral("186"));
    ~CAboutDlg() override;

    // The terms of use the box shows.
    static QString TermsOfUse();

  private:
    void createWidgets();
    void createLayout();
    void createConnections();

    void OnHomePage();
    void OnProductPage();

    DesktopServices& services_;
    WebAddresses addresses_;
    CPicture m_picBanner;

    QLabel* icon_ = nullptr;
    QLabel* version_ = nullptr;
    QFrame* rule_ = nullptr;  // the line under the version; the banner hangs 20 px below it
    PictureControl* banner_ = nullptr;
    QPlainTextEdit* terms_ = nullptr;
    QLabel* visit_ = nullptr;
    LinkLabel* address_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace korvane
