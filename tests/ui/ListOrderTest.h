#pragma once

#include <QObject>

namespace korvane::test {

class ListOrderTest : public QObject {
    Q_OBJECT
  private slots:
    void hyphensAndApostrophesDoNotSeparateWords();
    void caseDecidesOnlyBetweenEqualTexts();
    void insertingOneByOneGivesTheSortedOrder();
    void prefixSearchIgnoresCase();
};

}  // namespace korvane::test
