#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class CustomPageTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void pageShowsEveryControlInAddCategoryMode();
    void existingCategoryModeEnablesTheUnitControls();
    void categoryListHasEveryFactorCategoryHiddenOrNot();
    void addedCategoryIsListedInLowerCaseAtOnce();
    void firstUnitOfAnEmptyCategoryCountsAsOne();
    void unitNamesAreCapitalisedAndFactorsCountInTheChosenUnit();
    void refusalChangesNothing_data();
    void refusalChangesNothing();
    void sixthCategoryIsRefusedUntilOneIsRemoved();
    void eleventhStoredUnitIsRefusedBeforeItsName();
    void dataTransferTakesNineUnits();
    void removingTheSecondOfThreeUnits();
    void cancelledRemovalsKeepEverything();
    void removedCurrentCategoryHandsOverToTheFirstListed();
    void anotherCopysChangesAreRespected();
    void unwritableSettingsFileRefusesEveryChange();
    void factorBoxTakesOnlyNumberCharactersAsTyped();
    void everythingAddedIsBackAfterARestartAndInTheCli();
    void sheetCancelKeepsWhatThePageDid();
    void enterInANameOrFactorBoxRunsThatRowsAdd();
    void longReferenceNamesAreShownInFull();

  private:
    ModalWatchdog watchdog_;
    std::unique_ptr<SettingsFile> settings_;
};

}  // namespace korvane::test
