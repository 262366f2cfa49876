#pragma once

#include <QWidget>

#include "app/ConversionRequest.h"
#include "catalogue/UnitCatalogue.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTableView;

namespace korvane {

class AllUnitsModel;
class DesktopServices;

// The pane beside the converter window: the factor between the chosen units both ways, a
// filter, every unit of the category with its value, and a status line. It shows what the
// window converts and hands a chosen row back as the new target or source unit.
class AllUnitsPane : public QWidget {
    Q_OBJECT
  public:
    AllUnitsPane(const UnitCatalogue& catalogue, DesktopServices& services,
                 QWidget* parent = nullptr);
    ~AllUnitsPane() override;

    // The window filled its unit lists with the units of `category`.
    void showCategory(int category);
    // The window's conversion, as the output box shows it.
    void showConversion(const ConversionRequest& request, const ConversionResult& result);

    // Narrow enough to sit beside the window; as tall as the window makes it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    AllUnitsModel& model() { return *model_; }
    QTableView* table() const { return table_; }

    // The row menu's commands, on the table's current row. Nothing to copy leaves the
    // clipboard as it was.
    void copyValue();
    void copyValueWithUnit();
    void copyAll();

  signals:
    void targetChosen(const QString& unitName);
    void sourceChosen(const QString& unitName);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createWidgets();
    void createLayout();
    void createActions();
    void showRowMenu(const QPoint& at);
    void chooseRow(int row, bool asSource);
    void selectTargetRow(const QString& name);
    QString statusText(const ConversionRequest& request, const ConversionResult& result) const;
    void copy(const QString& text);

    const UnitCatalogue& catalogue_;
    DesktopServices& services_;
    AllUnitsModel* model_ = nullptr;
    QPlainTextEdit* factorField_ = nullptr;
    QLineEdit* filterEdit_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* copyValueAction_ = nullptr;
    QAction* copyValueWithUnitAction_ = nullptr;
    QAction* copyAllAction_ = nullptr;
    QString targetName_;
};

}  // namespace korvane
