#pragma once

#include "ui/preferences/PreferencesContext.h"
#include "ui/preferences/PreferencesPage.h"

class QButtonGroup;
class QComboBox;
class QLabel;

namespace korvane {

// The Result Format page: AutoFormat, Scientific or Fixed, the number of decimals for the
// last two, and a preview of a sample number in the chosen format. The choice is stored on
// OK; the main window takes it over from format() and precisionIndex() after that.
class CResults : public PreferencesPage {
    Q_OBJECT
  public:
    explicit CResults(const PreferencesContext& context, QWidget* parent = nullptr);

    // The chosen radio button: 0 AutoFormat, 1 Scientific, 2 Fixed; -1 until the page is shown.
    int format() const { return m_nFormat; }
    // The chosen entry of the precision list (precision - 1); -1 when none is chosen, and until
    // the page is shown.
    int precisionIndex() const { return m_nPrecisionIndex; }

    // Stores "Precision", then "Format".
    void OnOK() override;

  protected:
    void createControls(QWidget& content) override;
    void OnInitDialog() override;

  private:
    void createWidgets(QWidget& content);
    void createLayout(QWidget& content);
    void createConnections();

    // A radio button was clicked: previews that choice with the list's precision. The members
    // change only when the list does, or on OK.
    void UpdatePreview(int format);
    void OnSelchangePrecision();
    // The two controls into the members.
    void readControls();
    void setPreview(int format, int precision);

    PreferencesContext context_;
    int m_nFormat = -1;
    int m_nPrecisionIndex = -1;

    QButtonGroup* formatButtons_ = nullptr;
    QComboBox* precisionList_ = nullptr;
    QLabel* precisionCaption_ = nullptr;
    QLabel* preview_ = nullptr;
};

}  // namespace korvane
