#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// Conversions typed as text in the converter window ("12 in to cm"): what they select, what the
// output and its tooltip say, and what they leave alone.
class FreeFormWindowTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void readingSelectsItsUnitsAndConverts_data();
    void readingSelectsItsUnitsAndConverts();
    void withoutTargetTheToListKeepsItsUnit();
    void readingInAnotherCategoryStartsTheToListAfresh();
    void shownCategoryDecidesBareLetters();
    void validExpressionsAreNeverRead_data();
    void validExpressionsAreNeverRead();
    void refusalChangesNothing_data();
    void refusalChangesNothing();
    void misspellingIsOfferedNotRead();
    void textTypedPastAReadingKeepsTheLists();
    void numbersNeverReads();
    void hiddenCategoryIsListedAsFindListsIt();
    void customUnitsAreReadOnceAdded();
    void desktopDecimalSeparatorIsHandedIn();
};

}  // namespace korvane::test
