#include "AccessibilityCheck.h"

#include <QAbstractScrollArea>
#include <QAccessibleActionInterface>
#include <QGuiApplication>
#include <QHash>
#include <QMetaEnum>
#include <QTabBar>
#include <QTest>
#include <QWidget>

#include <utility>

namespace korvane::test {

namespace {

QString RoleName(QAccessible::Role role) {
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

bool IsLeaf(QAccessible::Role role) {
    switch (role) {
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::Tree:
        case QAccessible::ComboBox:
            return true;
        default:
            return false;
    }
}

bool IsMenu(QAccessible::Role role) {
    return role == QAccessible::MenuBar || role == QAccessible::PopupMenu ||
           role == QAccessible::MenuItem;
}

// Items of these are named among themselves: a menu's items, a tab bar's tabs.
bool IsItemContainer(QAccessible::Role role) {
    return IsMenu(role) || role == QAccessible::PageTabList;
}

// Parts that Qt's own controls make and hide as they need them (the scroll buttons of a tab
// bar, the scroll bar corners of a text box): not the window's widgets.
bool IsPartOfAQtControl(const QObject* object) {
    if (object == nullptr)
        return false;
    for (const QObject* parent = object->parent(); parent != nullptr; parent = parent->parent()) {
        if (qobject_cast<const QAbstractScrollArea*>(parent) != nullptr ||
            qobject_cast<const QTabBar*>(parent) != nullptr) {
            return true;
        }
        if (parent->isWidgetType() && static_cast<const QWidget*>(parent)->isWindow())
            break;
    }
    return object->objectName().startsWith(QStringLiteral("qt_"));
}

void Walk(QAccessibleInterface* node, const QString& parentPath, const QString& space, bool inMenu,
          bool inStack, QList<AccessibleNode>& out) {
    if (node == nullptr || !node->isValid())
        return;
    AccessibleNode entry;
    entry.name = node->text(QAccessible::Name);
    entry.description = node->text(QAccessible::Description);
    entry.role = node->role();
    entry.state = node->state();
    entry.object = node->object();
    entry.space = space;
    entry.inMenu = inMenu;
    entry.inStack = inStack;
    if (QAccessibleActionInterface* actions = node->actionInterface())
        entry.actions = actions->actionNames();
    const QString label = entry.name.isEmpty() ? RoleName(entry.role) : entry.name;
    entry.path = parentPath.isEmpty() ? label : parentPath + QStringLiteral(" / ") + label;
    out.push_back(entry);

    const bool menu = IsMenu(entry.role);
    // A closed menu is hidden until it opens, yet its items are what the menu bar offers.
    if (IsLeaf(entry.role) || (entry.state.invisible && !menu))
        return;
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), entry.path, IsItemContainer(entry.role) ? entry.path : space,
             inMenu || menu, entry.role == QAccessible::LayeredPane, out);
}

bool IsControl(const AccessibleNode& node) {
    if (node.role == QAccessible::Separator)
        return false;
    return node.state.focusable || !node.actions.isEmpty();
}

}  // namespace

QList<AccessibleNode> AccessibleTree(QWidget* window) {
    QList<AccessibleNode> tree;
    Walk(QAccessible::queryAccessibleInterface(window), QString(), QStringLiteral("window"), false,
         false, tree);
    return tree;
}

QStringList AccessibilityProblems(QWidget* window) {
    const QList<AccessibleNode> tree = AccessibleTree(window);
    QStringList problems;
    // Window controls share one space of names; each menu and each tab bar is a space of its
    // own.
    QHash<QString, QString> seen;
    for (const AccessibleNode& node : tree) {
        if (node.state.invisible && !node.inStack && !node.inMenu && !IsMenu(node.role) &&
            !IsPartOfAQtControl(node.object)) {
            problems.push_back(QStringLiteral("hidden widget in the tree: ") + node.path);
            continue;
        }
        if (!IsControl(node))
            continue;
        const QString name = node.name.trimmed();
        if (name.isEmpty()) {
            problems.push_back(QStringLiteral("control without a name: ") + node.path + " (" +
                               RoleName(node.role) + ")");
            continue;
        }
        const QString key = node.space + QLatin1Char('\n') + name;
        if (seen.contains(key)) {
            problems.push_back(QStringLiteral("two controls named \"%1\": %2 and %3")
                                   .arg(name, seen.value(key), node.path));
        } else {
            seen.insert(key, node.path);
        }
    }
    return problems;
}

const AccessibleNode* FindNode(const QList<AccessibleNode>& tree, const QObject* object) {
    for (const AccessibleNode& node : tree) {
        if (node.object == object)
            return &node;
    }
    return nullptr;
}

namespace {

// The update handler is a plain function, so the one recorder alive keeps its events here.
QList<AccessibleEventRecorder::Event>* g_events = nullptr;

void RecordEvent(QAccessibleEvent* event) {
    if (g_events == nullptr)
        return;
    AccessibleEventRecorder::Event recorded{event->type(), event->object(), {}, {}};
    switch (event->type()) {
        case QAccessible::TextUpdated: {
            const auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
            recorded.inserted = update->textInserted();
            recorded.removed = update->textRemoved();
            break;
        }
        case QAccessible::TextInserted:
            recorded.inserted = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
            break;
        case QAccessible::TextRemoved:
            recorded.removed = static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
            break;
        default:
            break;
    }
    g_events->push_back(std::move(recorded));
}

}  // namespace

AccessibleEventRecorder::AccessibleEventRecorder() {
    Q_ASSERT(g_events == nullptr);
    g_events = new QList<Event>;
    QAccessible::installUpdateHandler(RecordEvent);
}

AccessibleEventRecorder::~AccessibleEventRecorder() {
    QAccessible::installUpdateHandler(nullptr);
    delete g_events;
    g_events = nullptr;
}

QList<AccessibleEventRecorder::Event> AccessibleEventRecorder::events() const {
    return *g_events;
}

void AccessibleEventRecorder::clear() {
    g_events->clear();
}

bool WaitForAccessibility() {
    // The offscreen platform has no bridge to any accessibility bus.
    if (QGuiApplication::platformName() == QStringLiteral("offscreen"))
        return false;
    for (int i = 0; i < 30 && !QAccessible::isActive(); ++i)
        QTest::qWait(100);
    return QAccessible::isActive();
}

bool AccessibilityRequired() {
    return qEnvironmentVariableIsSet("KORVANE_REQUIRE_ACCESSIBILITY");
}

}  // namespace korvane::test
