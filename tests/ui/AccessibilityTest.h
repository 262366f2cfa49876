#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// The converter window as screen-reader and keyboard users meet it: every control named,
// the pictures pressable, results and errors told, the focus always visible, the desktop's
// palette followed.
class AccessibilityTest : public WindowTestCase {
    Q_OBJECT
  private slots:
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
};

}  // namespace korvane::test
