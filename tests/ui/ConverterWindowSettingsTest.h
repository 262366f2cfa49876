#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// The converter window and its settings file: what a start takes from the file, what each way
// out writes to it (or leaves alone), and what the user learns when it cannot be written.
class ConverterWindowSettingsTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void closeThenRestartRestoresTheSelection();
    void exitSavesTheDisplaySettingsButNotTheSelection();
    void escapeSavesNothing();
    void enterDoesNotEndTheWindow();
    void rememberedVolumeRestoresTheRightCategory_data();
    void rememberedVolumeRestoresTheRightCategory();
    void customCategoryFromTheLastRunIsRestored();
    void onTopComesFromTheFile_data();
    void onTopComesFromTheFile();
    void rememberedPositionsOutsideTheListsSelectTheFirstUnit();
    void settingsWriteFailureIsReportedOncePerRun();
    void shutdownWriteFailureShowsNoMessage();
};

}  // namespace korvane::test
