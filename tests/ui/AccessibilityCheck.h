#pragma once

#include <QAccessible>
#include <QList>
#include <QString>
#include <QStringList>

class QObject;
class QWidget;

namespace korvane::test {

// One node of a window's accessible tree, as an assistive technology sees it.
struct AccessibleNode {
    QString path;  // the names (or roles) from the window down, for messages
    QString name;
    QString description;
    QAccessible::Role role = QAccessible::NoRole;
    QAccessible::State state;
    QStringList actions;
    QObject* object = nullptr;
    QString space;         // where the name must be unique: the window, or a menu or tab bar
    bool inMenu = false;   // an item of the menu bar or of one of its menus
    bool inStack = false;  // a page of a stack (a tab widget's pages): hidden while not shown
};

// The window's accessible tree, depth first. Lists, tables and combo boxes are leaves (their
// entries belong to them); the menus of the menu bar are walked although closed; the subtree of
// a hidden widget is not (it cannot be reached), but the hidden node itself is listed.
QList<AccessibleNode> AccessibleTree(QWidget* window);

// What a screen-reader user would stumble over in the window, one line each: a focusable or
// actionable control without a name; two controls of the window (or two items of one menu)
// with the same name; a hidden widget in the tree, other than a page not shown. Empty when
// there is nothing.
QStringList AccessibilityProblems(QWidget* window);

// The node whose object is `object`; nullptr when the tree has none.
const AccessibleNode* FindNode(const QList<AccessibleNode>& tree, const QObject* object);

// Records the accessibility events sent while it lives. Events are sent only while
// accessibility is active (an assistive technology listens), which the offscreen platform
// never is: see WaitForAccessibility().
class AccessibleEventRecorder {
  public:
    AccessibleEventRecorder();
    ~AccessibleEventRecorder();
    AccessibleEventRecorder(const AccessibleEventRecorder&) = delete;
    AccessibleEventRecorder& operator=(const AccessibleEventRecorder&) = delete;

    struct Event {
        QAccessible::Event type;
        const QObject* object;
        QString inserted;  // text events: the text inserted
        QString removed;   // text events: the text removed
    };
    QList<Event> events() const;
    void clear();
};

// Whether accessibility is active, after waiting a moment for the platform's bridge to find
// the accessibility bus.
bool WaitForAccessibility();

// Whether the test run must not skip what needs a listening assistive technology or a real
// window manager (KORVANE_REQUIRE_ACCESSIBILITY, set by scripts/ui-xvfb.sh).
bool AccessibilityRequired();

}  // namespace korvane::test
