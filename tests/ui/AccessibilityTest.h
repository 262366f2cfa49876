#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// The converter window as screen-reader and keyboard users meet it: every control named,
// the pictures pressable, results and errors told, the focus always visible, the desktop's
// palette followed.
class AccessibilityTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void everyControlIsNamedOnce();
    void unitLabelsAreNamedByTheirUnitOrAsEmpty();
    void picturesArePressableButtonsOutsideTheTabOrder();
    void resultAndErrorAreDescribed_data();
    void resultAndErrorAreDescribed();
    void resultChangesAreAnnounced();
    void tabVisitsTheControlsInTheTemplatesOrder();
    void menusOpenFromTheKeyboard();
    void enterDoesNothingWhereverTheFocusIs();
    void focusedControlIsVisiblyMarked();
    void darkPaletteIsFollowed();

  private:
    std::unique_ptr<ConverterWindow> open();

    ModalWatchdog watchdog_;
    std::unique_ptr<SettingsFile> settings_;
};

}  // namespace korvane::test
