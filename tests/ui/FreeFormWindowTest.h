#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// Conversions typed as text in the converter window ("12 in to cm"): what they select, what the
// output and its tooltip say, and what they leave alone.
class FreeFormWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

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

  private:
    std::unique_ptr<ConverterWindow> open();

    ModalWatchdog watchdog_;
    std::unique_ptr<SettingsFile> settings_;
};

}  // namespace korvane::test
