#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// The dialogs as screen-reader and keyboard users meet them: Find, Help, About and every page
// of Preferences name each control once, and keep the focus visible.
class DialogAccessibilityTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void findNamesEveryControl();
    void helpNamesEveryControl();
    void aboutNamesEveryControlAndItsLinkStaysReadable();
    void everyPreferencesPageNamesEveryControl();
    void previewGroupHasItsOwnName();
    void tabReachesEveryControlInReadingOrder();
    void dialogsFollowTheDarkPalette();
};

}  // namespace korvane::test
