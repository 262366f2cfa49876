#pragma once

#include <QObject>

#include "catalogue/UnitCatalogue.h"

namespace korvane::test {

class FindDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init();

    void listsEveryBuiltInUnitOnceInListOrder();
    void customUnitsOfBuiltInCategoriesOnly();
    void typingNarrowsTheList_data();
    void typingNarrowsTheList();
    void editingTheTextKeepsTheListExact();
    void accentsAndAliasesFindMoreAfterTheTextsMatches_data();
    void accentsAndAliasesFindMoreAfterTheTextsMatches();
    void hostileSearchTextsFindNothingAndNeverFail_data();
    void hostileSearchTextsFindNothingAndNeverFail();
    void goReportsTheChosenUnit_data();
    void goReportsTheChosenUnit();
    void goWithNothingSelectedChoosesNothing();
    void cancelChoosesNothing();

  private:
    UnitCatalogue catalogue_;
};

}  // namespace korvane::test
