#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class CustomPageTest : public WindowTestCase {
    Q_OBJECT
  private slots:
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
};

}  // namespace korvane::test
