#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class ConverterWindowTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void firstStartListsTheDefaultCategories();
    void windowCarriesTheTemplatesTexts();
    void typingAnExpressionConvertsAtOnce();
    void labelsShowBareNamesWithoutAbbreviations();
    void numbersConvertTheTextWhateverTheFormat();
    void temperatureAndEmptyInput();
    void failingExpressionShowsErrorWithItsMessage();
    void hostileInputNeverShowsANumber();
    void invertTwiceRestoresTheResult();
    void userCannotLeaveAUnitListWithoutSelection();
    void closeThenRestartRestoresTheSelection();
    void exitSavesTheDisplaySettingsButNotTheSelection();
    void escapeSavesNothing();
    void enterDoesNotEndTheWindow();
    void rememberedVolumeRestoresTheRightCategory_data();
    void rememberedVolumeRestoresTheRightCategory();
    void customCategoryFromTheLastRunIsRestored();
    void onTopComesFromTheFile_data();
    void onTopComesFromTheFile();
    void missingPictureIsReportedOnceAndTheWindowWorks();
    void rememberedPositionsOutsideTheListsSelectTheFirstUnit();
    void everyCategoryHiddenLeavesEmptyLists();
    void categoryAddedToAnEmptyListBecomesCurrent();
    void catalogueChangesKeepTheListsInStep();
    void settingsWriteFailureIsReportedOncePerRun();
    void shutdownWriteFailureShowsNoMessage();
};

}  // namespace korvane::test
