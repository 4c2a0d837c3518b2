// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>

class CardPanel;
class Languages;
class LauncherPlugin;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class SimulatedCard;

/*!
 * The instrument's screen on the desktop: the status panel with the plug-in's status item, the
 * launcher area with its button, and the screen in which its window opens when the button is
 * pressed; beside it the panel that drives the simulated card.
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

    LauncherWindow(LauncherPlugin &plugin, SimulatedCard &card,
                   const QSize &screenSize = QSize(DefaultScreenWidth, DefaultScreenHeight),
                   QWidget *parent = nullptr);
    ~LauncherWindow() override;

    //! The plug-in shown; null once it has been deleted.
    LauncherPlugin *plugin() const;
    CardPanel *cardPanel() const { return panel; }
    //! The area of the instrument's screen in which the plug-in's window opens.
    QWidget *screenArea() const;
    QWidget *launcherArea() const { return launcherBox; }
    QWidget *statusPanel() const { return statusBox; }

    bool isPluginWindowOpen() const;
    //! Names the plug-in library in the window's status bar.
    void setPluginPath(const QString &path);

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
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createInstrument(const QSize &screenSize);
    QWidget *createStatusPanel();
    QWidget *createLauncherArea();
    QWidget *createScreen(const QSize &screenSize);
    void createMenus();
    void updateLineStatus();
    void retranslate();
    void showLanguage(const QString &code);

    QPointer<LauncherPlugin> launcherPlugin;
    SimulatedCard &card;
    CardPanel *panel = nullptr;
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
    QMenu *languageChoice = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *openAction = nullptr;
    QAction *closeAction = nullptr;
    QAction *quitAction = nullptr;
    QAction *resetAction = nullptr;
    QAction *aboutAction = nullptr;
    QActionGroup *languageActions = nullptr;
    QPointer<Languages> languages;
    QPointer<QWidget> pluginButton;
    QPointer<QWidget> pluginWindow;
    QPointer<QWidget> pluginStatusItem;
};
