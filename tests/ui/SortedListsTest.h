#pragma once

#include <QObject>

namespace korvane::test {

class SortedListsTest : public QObject {
    Q_OBJECT
  private slots:
    void insertingOneByOneGivesTheSortedOrder();
    void prefixSearchIgnoresCase();
};

}  // namespace korvane::test
