#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// Every text of the Preferences sheet is shown whole, and the sheet opens on the main window's
// screen: run at the scale factors users set (QT_SCALE_FACTOR 1, 1.5 and 2).
class PreferencesLayoutTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void pageTextsFit_data();
    void pageTextsFit();
    void tabTitlesFit();
    void everyCategoryNameFitsItsColumn();
    void everyCategoryIsInViewWithoutScrolling();
    void sheetKeepsItsSizeAcrossThePages();
    void sheetOpensOnTheWindowsScreen();

  private:
    std::unique_ptr<ConverterWindow> window_;
};

// KORVANE_PREFERENCES_SCREENSHOTS=<folder>: saves a picture of each page there instead of
// testing; returns the process's exit status.
int SavePreferencesScreenshots(const QString& folder);

}  // namespace korvane::test
