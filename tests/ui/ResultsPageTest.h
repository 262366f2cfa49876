#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// The Result Format page of Preferences: what it shows of the stored format and precision, its
// preview, and what OK and Cancel leave in the file and in the window's output.
class ResultsPageTest : public WindowTestCase {
    Q_OBJECT
  private slots:
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
};

}  // namespace korvane::test
