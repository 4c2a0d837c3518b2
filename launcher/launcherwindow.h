// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>

class CardPanel;
class Languages;
class LauncherPlugin;
class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class SimulatedCard;

/*!
 * The instrument's screen on the desktop: the status panel with the plug-in's status item, the
 * launcher area with its button, and the screen in which its window opens when the button is
 * pressed; beside it, in a dock that can be moved, floated or closed (and opened again from the
 * View menu), the panel that drives the simulated card. The window keeps its size and layout
 * from one run to the next.
 *
 * The plug-in's widgets are embedded but stay the plug-in's: the window hands them back (without
 * a parent) when it goes, so that deleting the plug-in object deletes them.
 */
class LauncherWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int DefaultScreenWidth = 640;
    static constexpr int DefaultScreenHeight = 480;
    //! Least height of the status panel: three rows of a status item fit.
    static constexpr int StatusPanelHeight = 60;

    LauncherWindow(LauncherPlugin &plugin, SimulatedCard &card,
                   const QSize &screenSize = QSize(DefaultScreenWidth, DefaultScreenHeight),
                   QWidget *parent = nullptr);
    ~LauncherWindow() override;

    //! The plug-in shown; null once it has been deleted.
    LauncherPlugin *plugin() const;
    CardPanel *cardPanel() const { return panel; }
    QDockWidget *cardPanelDock() const { return cardDock; }
    //! The area of the instrument's screen in which the plug-in's window opens.
    QWidget *screenArea() const;
    QWidget *launcherArea() const { return launcherBox; }
    QWidget *statusPanel() const { return statusBox; }

    bool isPluginWindowOpen() const;
    //! Names the plug-in library in the window's status bar.
    void setPluginPath(const QString &path);

    //! Takes the size and layout of the last run from the user's settings; without them, fits
    //! the window to the screen it is on.
    void restoreLayout();
    //! Keeps the window's size and layout in the user's settings (also done on closing).
    void saveLayout() const;
    //! Sizes the window to what it wants, within \a available (a screen's free area) once the
    //! window manager's frame is added.
    void fitToScreen(const QRect &available);

    //! Gives the plug-in's widgets back to it, hidden and without a parent.
    void releasePluginWidgets();

    //! Offers the languages of \a languages in a "Language" menu, which follows their changes.
    void setLanguages(Languages *languages);
    QMenu *languageMenu() const { return languageChoice; }

public Q_SLOTS:
    //! Opens the plug-in's window in the screen area, as the launcher does on its button.
    void openPluginWindow();
    //! Closes the plug-in's window and shows the launcher's home screen again.
    void closePluginWindow();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createInstrument(const QSize &screenSize);
    QWidget *createStatusPanel();
    QWidget *createLauncherArea();
    QWidget *createScreen(const QSize &screenSize);
    void createCardDock();
    void createMenus();
    void retranslate();

private Q_SLOTS:
    void updateLineStatus();
    void showLanguage(const QString &code);

private:
    QPointer<LauncherPlugin> launcherPlugin;
    SimulatedCard &card;
    CardPanel *panel = nullptr;
    QDockWidget *cardDock = nullptr;
    QWidget *statusBox = nullptr;
    QWidget *launcherBox = nullptr;
    QStackedWidget *screen = nullptr;
    QWidget *homePage = nullptr;
    QWidget *windowPage = nullptr;
    QLabel *windowTitle = nullptr;
    QLabel *lineStatus = nullptr;
    QLabel *measurementStatus = nullptr;
    QLabel *pluginPath = nullptr;
    QPushButton *closeButton = nullptr;
    QLabel *instrumentCaption = nullptr;
    QLabel *applicationsCaption = nullptr;
    QLabel *homeHint = nullptr;
    QString pluginFile;
    QMenu *launcherMenu = nullptr;
    QMenu *cardMenu = nullptr;
    QMenu *viewMenu = nullptr;
    QMenu *languageChoice = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *openAction = nullptr;
    QAction *closeAction = nullptr;
    QAction *quitAction = nullptr;
    QAction *resetAction = nullptr;
    QAction *cardDockAction = nullptr;
    QAction *aboutAction = nullptr;
    QActionGroup *languageActions = nullptr;
    QPointer<Languages> languages;
    QPointer<QWidget> pluginButton;
    QPointer<QWidget> pluginWindow;
    QPointer<QWidget> pluginStatusItem;
};
