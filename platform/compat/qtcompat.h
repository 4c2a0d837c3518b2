// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the desktop code (the platform libraries, the launcher, the tests and the benchmarks) uses
// of Qt 5 and 6 that Qt 4.7, the instrument's Qt, names differently or lacks. The build includes
// this header before anything else in every desktop source file; with Qt 4 the Qt 5 headers the
// code names (<QRegularExpression>, <QTemporaryDir>, ...) lead here too. The plug-in keeps its
// own compat.h and never sees this one.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QVariantMap>
#include <QtGlobal>

#include <functional>
#include <initializer_list>
#include <random>
#include <type_traits>
#include <utility>

class QHeaderView;
class QMouseEvent;
class QPixmap;
class QWheelEvent;
class QWidget;

namespace Compat {

// Calls function objects for the signals of Qt's string-based connect(), which every Qt
// version has. It lives as a child of the context object, and goes when the sender goes.
class Q_DECL_EXPORT FunctorSlot : public QObject
{
    Q_OBJECT

public:
    FunctorSlot(const QObject *sender, QObject *context);
    bool attach(const char *signal, bool withArguments);

    std::function<void()> none;
    std::function<void(int)> withInt;
    std::function<void(int, int)> withInts;
    std::function<void(bool)> withBool;
    std::function<void(const QString &)> withString;
    std::function<void(const QString &, bool)> withStringBool;
    std::function<void(QVariantMap &)> withMap;

public Q_SLOTS:
    void call() { none(); }
    void call(int value) { withInt(value); }
    void call(int first, int second) { withInts(first, second); }
    void call(bool value) { withBool(value); }
    void call(const QString &value) { withString(value); }
    void call(const QString &value, bool flag) { withStringBool(value, flag); }
    void call(QVariantMap &value) { withMap(value); }

private:
    bool drop();

    const QObject *sender;
};

template<typename Function, typename Slot>
void assignIfCallable(std::function<Slot> &slot, const Function &function)
{
    if constexpr (std::is_convertible_v<Function, std::function<Slot>>)
        slot = function;
}

/*!
 * Connects \a signal of \a sender (a SIGNAL() text) to \a function while \a context exists. The
 * function takes the signal's arguments or none. Returns the object that holds the connection:
 * deleting it disconnects; null when the signal does not exist.
 */
template<typename Function>
QObject *connect(const QObject *sender, const char *signal, QObject *context,
                 const Function &function)
{
    auto *slot = new FunctorSlot(sender, context);
    if constexpr (std::is_invocable_v<Function>) {
        slot->none = function;
        return slot->attach(signal, false) ? slot : nullptr;
    } else {
        assignIfCallable(slot->withInt, function);
        assignIfCallable(slot->withInts, function);
        assignIfCallable(slot->withBool, function);
        assignIfCallable(slot->withString, function);
        assignIfCallable(slot->withStringBool, function);
        assignIfCallable(slot->withMap, function);
        return slot->attach(signal, true) ? slot : nullptr;
    }
}

/*!
 * Emits \a signal of \a sender with int \a arguments, as the sender itself would: Qt 4 keeps a
 * class's signals to the class.
 */
template<typename... Ints>
void emitSignal(QObject *sender, const char *signal, Ints... arguments)
{
    QMetaObject::invokeMethod(sender, signal, Q_ARG(int, arguments)...);
}

//! A map of the key-value pairs, as Qt 5 builds one from a braced list.
inline QVariantMap variantMap(std::initializer_list<std::pair<QString, QVariant>> pairs)
{
    QVariantMap map;
    for (const auto &pair : pairs)
        map.insert(pair.first, pair.second);
    return map;
}

//! Calls \a function once after \a msec milliseconds, unless \a context has gone by then.
Q_DECL_EXPORT void singleShot(int msec, QObject *context, const std::function<void()> &function);

//! The part of the screen that windows may cover, on the screen that shows \a point; null when
//! no screen shows it.
Q_DECL_EXPORT QRect availableGeometry(const QPoint &point);
//! The same on the screen that shows most of \a widget.
Q_DECL_EXPORT QRect availableGeometry(const QWidget *widget);
//! The same on the primary screen.
Q_DECL_EXPORT QRect availableGeometry();

//! The widget as it shows itself, painted into a pixmap.
Q_DECL_EXPORT QPixmap grab(QWidget *widget);

//! Where a mouse event happened, in the receiving widget.
Q_DECL_EXPORT QPointF position(const QMouseEvent *event);
//! How far a wheel turned, in eighths of a degree, horizontally and vertically.
Q_DECL_EXPORT QPoint angleDelta(const QWheelEvent *event);

//! How the header's \a section takes its size (a QHeaderView::ResizeMode).
Q_DECL_EXPORT void setSectionResizeMode(QHeaderView *header, int section, int mode);

//! The text with HTML's special characters written as entities.
Q_DECL_EXPORT QString htmlEscaped(const QString &text);

//! Reads the text of C strings and of tr() as UTF-8, as Qt 5 does; Qt 4 reads Latin-1.
Q_DECL_EXPORT void useUtf8Sources();

//! Device pixels per layout pixel of a pixmap; Qt 4 knows no high-resolution pixmaps.
Q_DECL_EXPORT qreal pixelRatio(const QPixmap &pixmap);

//! The signal of a QButtonGroup that carries the id of the button clicked.
Q_DECL_EXPORT extern const char *const buttonGroupIdClicked;

} // namespace Compat

#if QT_VERSION < 0x050000
#include <QRegExp>
#include <QStringList>
#include <qmath.h>

#define QStringLiteral(text) QString::fromUtf8(text)
#define qInfo qDebug
// Qt 4 calls a text's advance its width. Its text lines have both, so their header comes first.
#if __has_include(<QTextLayout>)
#include <QTextLayout>
#endif
#define horizontalAdvance width

namespace Qt {
const QString::SplitBehavior SkipEmptyParts = QString::SkipEmptyParts;
const QString::SplitBehavior KeepEmptyParts = QString::KeepEmptyParts;
} // namespace Qt

inline qreal qDegreesToRadians(qreal degrees)
{
    return degrees * (M_PI / 180);
}

inline qreal qRadiansToDegrees(qreal radians)
{
    return radians * (180 / M_PI);
}

template<typename T>
const T &qAsConst(T &value)
{
    return value;
}

inline QString qEnvironmentVariable(const char *name, const QString &fallback = QString())
{
    return qgetenv(name).isNull() ? fallback : QString::fromLocal8Bit(qgetenv(name));
}

inline bool qEnvironmentVariableIsEmpty(const char *name)
{
    return qgetenv(name).isEmpty();
}

inline int qEnvironmentVariableIntValue(const char *name, bool *ok = nullptr)
{
    return qgetenv(name).toInt(ok, 0);
}

// The Perl-style regular expressions the code uses are within what QRegExp understands.
class QRegularExpressionMatch
{
public:
    bool hasMatch() const { return !texts.isEmpty(); }
    QString captured(int n = 0) const { return texts.value(n); }
    int capturedStart(int n = 0) const { return starts.value(n, -1); }
    int capturedEnd(int n = 0) const { return capturedStart(n) + captured(n).size(); }
    int capturedLength(int n = 0) const { return captured(n).size(); }

private:
    friend class QRegularExpression;
    QStringList texts;
    QList<int> starts;
};

class QRegularExpressionMatchIterator
{
public:
    bool hasNext() const { return !matches.isEmpty(); }
    QRegularExpressionMatch next() { return matches.takeFirst(); }

private:
    friend class QRegularExpression;
    QList<QRegularExpressionMatch> matches;
};

class QRegularExpression
{
public:
    QRegularExpression() = default;
    // QRegExp's "$" is the very end of the text, as Perl's "\z" is.
    explicit QRegularExpression(const QString &pattern)
        : expression(QString(pattern).replace(QLatin1String("\\z"), QLatin1String("$")),
                     Qt::CaseSensitive, QRegExp::RegExp2)
    { }
    bool isValid() const { return expression.isValid(); }
    QString pattern() const { return expression.pattern(); }

    QRegularExpressionMatch match(const QString &subject, int offset = 0) const
    {
        QRegularExpressionMatch result;
        QRegExp copy = expression;
        if (copy.indexIn(subject, offset) < 0)
            return result;
        for (int n = 0; n <= copy.captureCount(); ++n) {
            result.texts.append(copy.cap(n));
            result.starts.append(copy.pos(n));
        }
        return result;
    }

    QRegularExpressionMatchIterator globalMatch(const QString &subject) const
    {
        QRegularExpressionMatchIterator all;
        int offset = 0;
        for (QRegularExpressionMatch m = match(subject); m.hasMatch(); m = match(subject, offset)) {
            all.matches.append(m);
            offset = m.capturedEnd() + (m.capturedLength() == 0 ? 1 : 0);
            if (offset > subject.size())
                break;
        }
        return all;
    }

private:
    QRegExp expression;
};

#if __has_include(<QRegExpValidator>)
#include <QRegExpValidator>
class QRegularExpressionValidator : public QRegExpValidator
{
public:
    QRegularExpressionValidator(const QRegularExpression &expression, QObject *parent)
        : QRegExpValidator(QRegExp(expression.pattern(), Qt::CaseSensitive, QRegExp::RegExp2),
                           parent)
    { }
};
#endif

// The Mersenne twister that Qt 5 seeds through std::seed_seq, so that a seed picks the same
// numbers on every version.
class QRandomGenerator
{
public:
    QRandomGenerator(quint32 seedValue = 1) { seed(seedValue); }
    void seed(quint32 seedValue = 1)
    {
        std::seed_seq sequence(&seedValue, &seedValue + 1);
        engine.seed(sequence);
    }
    quint32 generate() { return quint32(engine()); }
    quint64 generate64()
    {
        const quint64 low = generate();
        return low | quint64(generate()) << 32;
    }
    double generateDouble() { return double(generate64() >> 11) / double(Q_UINT64_C(1) << 53); }
    int bounded(int highest) { return int((quint64(generate()) * quint64(highest)) >> 32); }
    int bounded(int lowest, int highest) { return lowest + bounded(highest - lowest); }
    static QRandomGenerator *global()
    {
        static QRandomGenerator shared{quint32(std::random_device()())};
        return &shared;
    }

private:
    std::mt19937 engine;
};

// A folder of its own below the temporary folder, removed with all it holds when it goes.
class Q_DECL_EXPORT QTemporaryDir
{
public:
    QTemporaryDir();
    ~QTemporaryDir();
    QTemporaryDir(const QTemporaryDir &) = delete;
    QTemporaryDir &operator=(const QTemporaryDir &) = delete;
    bool isValid() const { return !folder.isEmpty(); }
    QString path() const { return folder; }
    QString filePath(const QString &name) const { return folder + QLatin1Char('/') + name; }

private:
    QString folder;
};
#endif // Qt 4

// What the tests use of QtTest and Qt's meta-objects beyond Qt 4.7's.
#ifdef E1_COMPAT_QTEST
#include <QApplication>
#include <QMetaEnum>
#include <chrono>
#if QT_VERSION >= 0x050000
#include <QLoggingCategory>
#endif
#include <QWheelEvent>
#include <QWidget>
namespace Compat {
//! Drops Qt's warnings, keeping every other message.
inline void dropWarnings()
{
#if QT_VERSION >= 0x050000
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
#else
    static const QtMsgHandler previous = qInstallMsgHandler(nullptr);
    qInstallMsgHandler([](QtMsgType type, const char *message) {
        if (type == QtWarningMsg)
            return;
        if (previous)
            previous(type, message);
        else
            fprintf(stderr, "%s\n", message);
    });
#endif
}

//! Time since construction in nanoseconds; Qt 4.7's QElapsedTimer counts milliseconds only.
class Stopwatch
{
public:
    qint64 nsecsElapsed() const
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now()
                                                                    - begun)
            .count();
    }

private:
    const std::chrono::steady_clock::time_point begun = std::chrono::steady_clock::now();
};

//! Turns a mouse wheel over \a widget at \a pos by \a angleDelta (eighths of a degree); Qt 4's
//! wheel turns one way at a time, vertically where the delta has a vertical part.
inline void sendWheel(QWidget *widget, const QPoint &pos, const QPoint &angleDelta)
{
#if QT_VERSION >= 0x050000
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), angleDelta, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
#else
    const bool vertical = angleDelta.y() != 0;
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), vertical ? angleDelta.y() : angleDelta.x(),
                      Qt::NoButton, Qt::NoModifier, vertical ? Qt::Vertical : Qt::Horizontal);
#endif
    QApplication::sendEvent(widget, &wheel);
}

//! The key of Qt::Key named \a name, such as "Key_Up".
inline Qt::Key key(const char *name)
{
#if QT_VERSION >= 0x050000
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
#else
    // Qt 4 keeps the meta-object of Qt's own enums to QObject and its subclasses.
    struct QtEnums : QObject
    {
        static const QMetaObject &enums() { return staticQtMetaObject; }
    };
    const QMetaObject &qt = QtEnums::enums();
    const QMetaEnum keys = qt.enumerator(qt.indexOfEnumerator("Key"));
#endif
    return Qt::Key(keys.keyToValue(name));
}
} // namespace Compat
#endif

#if defined(E1_COMPAT_QTEST) && QT_VERSION < 0x050000
#include <QtTest/QtTest>

#define QTRY_LOOP_IMPL(expr, timeout)                                        \
    do {                                                                     \
        for (int waited_ = 0; !(expr) && waited_ < (timeout); waited_ += 50) \
            QTest::qWait(50);                                                \
    } while (false)
#define QTRY_VERIFY_WITH_TIMEOUT(expr, timeout) \
    do {                                        \
        QTRY_LOOP_IMPL((expr), (timeout));      \
        QVERIFY(expr);                          \
    } while (false)
#define QTRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, 5000)
#define QTRY_VERIFY2(expr, message)   \
    do {                              \
        QTRY_LOOP_IMPL((expr), 5000); \
        QVERIFY2(expr, message);      \
    } while (false)
#define QTRY_COMPARE_WITH_TIMEOUT(expr, expected, timeout) \
    do {                                                   \
        QTRY_LOOP_IMPL(((expr) == (expected)), (timeout)); \
        QCOMPARE((expr), (expected));                      \
    } while (false)
#define QTRY_COMPARE(expr, expected) QTRY_COMPARE_WITH_TIMEOUT(expr, expected, 5000)

Q_DECLARE_METATYPE(QList<int>)
Q_DECLARE_METATYPE(QVector<int>)

// Qt 5 skips the current row of a data-driven test, as Qt 4's SkipSingle does.
#undef QSKIP
#define QSKIP(message)                                                \
    do {                                                              \
        QTest::qSkip(message, QTest::SkipSingle, __FILE__, __LINE__); \
        return;                                                       \
    } while (false)

// Qt 4's QTest hands key events to disabled widgets, which no keyboard reaches in Qt 4 (they
// cannot hold the focus) and which Qt 5's widgets drop: a test application drops them too.
class DisabledWidgetKeyFilter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            && watched->isWidgetType() && !static_cast<QWidget *>(watched)->isEnabled();
    }
};

#undef QTEST_MAIN
#define QTEST_MAIN(TestObject)                  \
    int main(int argc, char *argv[])            \
    {                                           \
        QApplication app(argc, argv);           \
        DisabledWidgetKeyFilter keyFilter;      \
        app.installEventFilter(&keyFilter);     \
        TestObject test;                        \
        return QTest::qExec(&test, argc, argv); \
    }

// The tests' texts are UTF-8, as the sources are.
static const bool e1Utf8Sources = (Compat::useUtf8Sources(), true);

#define QTEST_GUILESS_MAIN(TestObject)          \
    int main(int argc, char *argv[])            \
    {                                           \
        QCoreApplication app(argc, argv);       \
        TestObject test;                        \
        return QTest::qExec(&test, argc, argv); \
    }

namespace QTest {
// Qt 4 declares the comparison of values of two types but leaves it undefined, so that only
// values of one type compare; Qt 5 compares any two that ==  compares. Here the second value
// becomes the first one's type, as Qt 5 shows both.
template<typename T1, typename T2>
bool qCompare(T1 const &t1, T2 const &t2, const char *actual, const char *expected,
              const char *file, int line)
{
    return qCompare(t1, T1(t2), actual, expected, file, line);
}

inline bool qWaitForWindowExposed(QWidget *window, int = 5000)
{
    return qWaitForWindowShown(window);
}
inline bool qWaitForWindowActive(QWidget *window, int timeout = 5000)
{
    // Without a window manager, Qt 4 activates a window only once it is on the screen, and the X
    // server drops a request for the focus that comes before the window is viewable: ask again.
    qWaitForWindowShown(window);
    for (int waited = 0; !window->isActiveWindow() && waited < timeout; waited += 20) {
        if (waited % 200 == 0)
            window->activateWindow();
        qWait(20);
    }
    return window->isActiveWindow();
}
template<typename... Arguments>
QTestData &addRow(const char *format, Arguments... arguments)
{
    // Qt 4's newRow() copies the tag.
    return newRow(QString().sprintf(format, arguments...).toUtf8().constData());
}
} // namespace QTest
#endif
