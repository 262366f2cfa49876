#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class PreferencesTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void sheetHasFourPagesOpeningOnGeneral();
    void tabKeyGoesFromTheTabsIntoThePage();
    void onlyShownPagesAreBuilt();
    void ctrlPOpensTheSheetFromEveryControl();

    void generalPageShowsTheStoredFlags_data();
    void generalPageShowsTheStoredFlags();
    void alwaysOnTopAppliesAtOnceAndSurvivesCancel();
    void abbreviationsOffIsStoredEvenOnCancel();
    void failedWritesWarnOncePerRun();

    void okWithoutResultFormatKeepsFormatAndFile();
    void scientificTwoIsStoredAndReformatsTheOutput();
    void previewShowsTheSampleInEachFormat_data();
    void previewShowsTheSampleInEachFormat();
    void autoFormatKeepsThePrecisionChosen();
    void storedFormatOutsideItsRange_data();
    void storedFormatOutsideItsRange();
    void storedPrecisionOutsideTheList_data();
    void storedPrecisionOutsideTheList();
    void cancelLeavesTheFormatAsLoaded();

    void visiblePageListsTheFortyTwoByTheirFlags();
    void clearedCategoryLeavesAtOnceAndAfterARestart();
    void displayAllMakesEveryCategoryVisible();
    void cancelLeavesTheVisibilityAlone();
    void onceTheListHadTheFocusEveryOkRebuilds();
    void rebuildKeepsTwoCharacterCustomCategories();
    void everyCategoryClearedLeavesNothingToConvert();
};

}  // namespace korvane::test
