#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

// The converter window's finer behaviour: where its drop-down opens, what fits in its boxes and
// lists, what re-choosing a category keeps, what it shows when there is nothing to convert, and
// what a paste puts into the input box. Also the check that runs before the window exists.
class ConverterWindowDetailsTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void cleanup();

    void categoryListDropsDownBelowTheBox();
    void rechoosingTheShownCategoryKeepsTheUnits();
    void everyCategoryNameShowsWhole_data();
    void everyCategoryNameShowsWhole();
    void longCustomCategoryNamesWidenTheBoxWithinLimits();
    void unitListsShowWholeRowsAndScrollOnlyWhenNeeded();
    void cutUnitNamesShowInFullAsTooltip();
    void pasteDropsLineBreaksAtItsEnds_data();
    void pasteDropsLineBreaksAtItsEnds();
    void contextMenuAndDropPasteTheSameWay();
    void noDisplayIsFoundOnlyWhenNothingCanDraw_data();
    void noDisplayIsFoundOnlyWhenNothingCanDraw();
    void diagnosticsGoWhereSomeoneReadsThem_data();
    void diagnosticsGoWhereSomeoneReadsThem();
    void windowWritesDiagnosticsOnlyWhenAsked();
};

}  // namespace korvane::test
