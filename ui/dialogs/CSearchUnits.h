#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "catalogue/FindEntries.h"

class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;

namespace korvane {

class FindMatchModel;
class UnitCatalogue;

// The Find dialog: the user types part of a unit's, a category's or an abbreviation's name and
// picks one of the matching entries. It only reads the catalogue; the main window acts on the
// choice after the dialog has closed.
class CSearchUnits : public QDialog {
    Q_OBJECT
  public:
    explicit CSearchUnits(const UnitCatalogue& catalogue, QWidget* parent = nullptr);
    ~CSearchUnits() override;

    // The results, read after the dialog ended with OK. selectedPosition() is -1 when nothing
    // was chosen; otherwise the other values name the chosen unit, taken from the entry itself
    // rather than cut out of its text.
    int selectedPosition() const { return m_nSelected; }
    int categoryIndex() const { return m_nCategory; }
    int unitIndex() const { return m_nUnit; }
    const std::string& categoryName() const { return m_strCategory; }
    const std::string& unitName() const { return m_strUnit; }

    // The entries the list shows now, in list order.
    int matchCount() const;
    QString matchText(int position) const;

  private:
    void createWidgets();
    void createLayout();
    void createConnections();

    void OnChangeSearchText(const QString& text);
    void OnGo();
    void OnDoubleClickMatch(const QModelIndex& index);

    const UnitCatalogue& catalogue_;
    std::vector<FindEntry> entries_;
    FindFilter filter_;
    FindAliasMatches aliasMatches_;

    int m_nSelected = -1;
    int m_nCategory = -1;
    int m_nUnit = -1;
    std::string m_strCategory;
    std::string m_strUnit;

    QLineEdit* searchEdit_ = nullptr;
    QListView* matchList_ = nullptr;
    FindMatchModel* matchModel_ = nullptr;
    QPushButton* goButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace korvane
