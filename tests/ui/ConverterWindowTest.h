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
    void missingPictureIsReportedOnceAndTheWindowWorks();
    void everyCategoryHiddenLeavesEmptyLists();
    void categoryAddedToAnEmptyListBecomesCurrent();
    void catalogueChangesKeepTheListsInStep();
};

}  // namespace korvane::test
