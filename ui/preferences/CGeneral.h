#pragma once

#include "ui/preferences/PreferencesContext.h"
#include "ui/preferences/PreferencesPage.h"

class QCheckBox;

namespace korvane {

enum class SettingsFlag;

// The General page: "Always on top", "Remember last used category and units on startup" and
// "Show abbreviations when available". Every click takes effect and is stored at once; the
// sheet's Cancel undoes none of it, so the page has no OK processing.
class CGeneral : public PreferencesPage {
    Q_OBJECT
  public:
    explicit CGeneral(const PreferencesContext& context, QWidget* parent = nullptr);

  protected:
    void createControls(QWidget& content) override;
    void OnInitDialog() override;

  private:
    void createWidgets(QWidget& content);
    void createConnections();

    void OnOnTop();
    void OnRememberCategory();
    void OnShowAbbreviation();

    // The boxes into the members, and back.
    void readBoxes();
    void showMembers();
    void writeFlag(SettingsFlag flag, int on);

    PreferencesContext context_;
    // The boxes' states, 1 for ticked.
    int m_bOnTop = 0;
    int m_bRememberCategory = 0;
    int m_bShowAbbreviation = 1;

    QCheckBox* onTopBox_ = nullptr;
    QCheckBox* rememberCategoryBox_ = nullptr;
    QCheckBox* showAbbreviationBox_ = nullptr;
};

}  // namespace korvane
