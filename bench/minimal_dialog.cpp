// The baseline of the start-up benchmark: the least a Qt 6 Widgets dialog with the same kinds
// of controls as the converter window costs to start and to keep in memory.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
    auto* layout = new QGridLayout(&dialog);
    auto* combo = new QComboBox(&dialog);
    combo->addItems({QStringLiteral("First"), QStringLiteral("Second")});
    layout->addWidget(combo, 0, 0, 1, 2);
    layout->addWidget(new QListWidget(&dialog), 1, 0);
    layout->addWidget(new QListWidget(&dialog), 1, 1);
    layout->addWidget(new QLineEdit(&dialog), 2, 0);
    layout->addWidget(new QLineEdit(&dialog), 2, 1);
    dialog.exec();
    return 0;
}
