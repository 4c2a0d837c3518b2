// SPDX-License-Identifier: GPL-3.0-or-later

// The launcher's language choice: the catalogues it installs and removes while
// the plug-in runs, the Language menu, the launcher's own texts and the
// plug-in's open window following at once, and the --lang option.

#include "languages.h"
#include "launcherwindow.h"
#include "pluginloader.h"

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_Languages : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void init();
  void cleanup();

  void germanInstallsEveryCatalogue();
  void englishRemovesThemAgain();
  void unknownLanguageChangesNothing_data();
  void unknownLanguageChangesNothing();
  void destroyedChoiceLeavesNoTranslator();
  void menuOffersEachLanguageByItsOwnName();
  void menuSwitchesTheOpenWindowAndTheLauncher();
  void choiceMadeElsewhereIsShownInTheMenu();
  void commandLineLanguage_data();
  void commandLineLanguage();

private:
  QString copyText() const {
    QWidget *window = loader.plugin()->window();
    auto *copy = window->findChild<QPushButton *>(QStringLiteral("copyToRx"));
    return copy ? copy->text() : QString();
  }
  QAction *languageAction(const QString &code) const {
    return launcher->languageMenu()->findChild<QAction *>(
        QStringLiteral("language-") + code);
  }

  SimulatedCard *card = nullptr;
  PluginLoader loader;
  Languages *languages = nullptr;
  LauncherWindow *launcher = nullptr;
};

void tst_Languages::init() {
  card = new SimulatedCard(QStringLiteral("e1"));
  QVERIFY2(loader.load(QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so")),
           qPrintable(loader.errorString()));
  languages = new Languages;
  launcher = new LauncherWindow(*loader.plugin(), *card);
  launcher->setLanguages(languages);
}

void tst_Languages::cleanup() {
  delete launcher;
  launcher = nullptr;
  // The plug-in's catalogue lives in its library: the translators go before the
  // library does.
  delete languages;
  languages = nullptr;
  loader.unload();
  delete card;
  card = nullptr;
}

void tst_Languages::germanInstallsEveryCatalogue() {
  QCOMPARE(languages->current(), QStringLiteral("en"));
  QVERIFY(languages->installedCatalogues().isEmpty());

  QVERIFY(languages->setLanguage(QStringLiteral("de")));
  const QStringList installed = languages->installedCatalogues();
  for (const char *name :
       {"timeslots_de.qm", "orvplatform_de.qm", "e1launcher_de.qm"})
    QVERIFY2(installed.contains(QLatin1String(name)), name);
  // One text of each: the plug-in's, the platform's and the launcher's.
  QVERIFY(QCoreApplication::translate("MainWindow", "Copy") !=
          QLatin1String("Copy"));
  QVERIFY(QCoreApplication::translate("WarningWindow", "Warning") !=
          QLatin1String("Warning"));
  QVERIFY(QCoreApplication::translate("LauncherWindow", "Applications") !=
          QLatin1String("Applications"));
}

void tst_Languages::englishRemovesThemAgain() {
  QVERIFY(languages->setLanguage(QStringLiteral("de")));
  QVERIFY(languages->setLanguage(QStringLiteral("en")));
  QVERIFY(languages->installedCatalogues().isEmpty());
  QCOMPARE(QCoreApplication::translate("MainWindow", "Copy"),
           QStringLiteral("Copy"));
  QCOMPARE(QCoreApplication::translate("LauncherWindow", "Applications"),
           QStringLiteral("Applications"));
}

void tst_Languages::unknownLanguageChangesNothing_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("code");

  QTest::newRow("French after English") << "en"
                                        << "fr";
  QTest::newRow("empty after German") << "de" << QString();
  QTest::newRow("locale name") << "de"
                               << "de_DE";
  QTest::newRow("upper case") << "en"
                              << "DE";
}

void tst_Languages::unknownLanguageChangesNothing() {
  QFETCH(QString, before);
  QFETCH(QString, code);

  QVERIFY(languages->setLanguage(before));
  const QStringList installed = languages->installedCatalogues();
  QSignalSpy changed(languages, &Languages::languageChanged);
  QVERIFY(!languages->setLanguage(code));
  QCOMPARE(languages->current(), before);
  QCOMPARE(languages->installedCatalogues(), installed);
  QCOMPARE(changed.count(), 0);

  // Choosing the language in use again reports no change either.
  QVERIFY(languages->setLanguage(before));
  QCOMPARE(changed.count(), 0);
}

void tst_Languages::destroyedChoiceLeavesNoTranslator() {
  QVERIFY(languages->setLanguage(QStringLiteral("de")));
  delete languages;
  languages = nullptr;
  QCOMPARE(QCoreApplication::translate("MainWindow", "Copy"),
           QStringLiteral("Copy"));
  // The menu outlives the choice it offered, and then does nothing.
  languageAction(QStringLiteral("de"))->trigger();
  QCOMPARE(QCoreApplication::translate("MainWindow", "Copy"),
           QStringLiteral("Copy"));
}

void tst_Languages::menuOffersEachLanguageByItsOwnName() {
  QMenu *menu = launcher->languageMenu();
  QVERIFY(menu);
  QStringList names;
  QStringList checked;
  for (QAction *action : menu->actions()) {
    names << action->text();
    if (action->isChecked())
      checked << action->text();
  }
  QCOMPARE(names, QStringList({"English", "Deutsch"}));
  QCOMPARE(checked, QStringList{"English"});
  QCOMPARE(menu->title(), QStringLiteral("&Language"));
}

void tst_Languages::menuSwitchesTheOpenWindowAndTheLauncher() {
  launcher->show();
  QVERIFY(QTest::qWaitForWindowExposed(launcher));
  loader.plugin()->button()->findChild<QAbstractButton *>()->click();
  QVERIFY(launcher->isPluginWindowOpen());
  auto *title = launcher->findChild<QLabel *>(QStringLiteral("windowTitle"));
  QVERIFY(title);
  QCOMPARE(title->text(), QStringLiteral("Timeslots"));
  QCOMPARE(copyText(), QStringLiteral("Copy"));

  languageAction(QStringLiteral("de"))->trigger();
  QCOMPARE(languages->current(), QStringLiteral("de"));
  // The open window and the launcher follow through the event loop, without
  // being rebuilt.
  QTRY_COMPARE(copyText(), QCoreApplication::translate("MainWindow", "Copy"));
  QVERIFY(copyText() != QLatin1String("Copy"));
  QTRY_COMPARE(launcher->languageMenu()->title(),
               QCoreApplication::translate("LauncherWindow", "&Language"));
  QVERIFY(launcher->languageMenu()->title() != QLatin1String("&Language"));
  auto *reset = launcher->findChild<QPushButton *>(QStringLiteral("resetCard"));
  QVERIFY(reset);
  QCOMPARE(reset->text(), QCoreApplication::translate(
                              "CardPanel", "Reset to Factory Settings"));
  // The title bar shows what the window now calls itself: its form's own title.
  QCOMPARE(title->text(), QCoreApplication::translate("MainWindow", "Form"));
  QVERIFY(languageAction(QStringLiteral("de"))->isChecked());
  QVERIFY(!languageAction(QStringLiteral("en"))->isChecked());

  languageAction(QStringLiteral("en"))->trigger();
  QTRY_COMPARE(copyText(), QStringLiteral("Copy"));
  QTRY_COMPARE(launcher->languageMenu()->title(), QStringLiteral("&Language"));
  QCOMPARE(reset->text(), QStringLiteral("Reset to Factory Settings"));
  QCOMPARE(title->text(), QStringLiteral("Form"));
}

void tst_Languages::choiceMadeElsewhereIsShownInTheMenu() {
  QVERIFY(languages->setLanguage(QStringLiteral("de")));
  QVERIFY(languageAction(QStringLiteral("de"))->isChecked());
  QVERIFY(!languageAction(QStringLiteral("en"))->isChecked());
  QVERIFY(languages->setLanguage(QStringLiteral("en")));
  QVERIFY(languageAction(QStringLiteral("en"))->isChecked());
}

void tst_Languages::commandLineLanguage_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("mention");

  QTest::newRow("German") << QStringList{"--lang", "de"} << 0 << QString();
  QTest::newRow("English") << QStringList{"--lang=en"} << 0 << QString();
  QTest::newRow("unknown") << QStringList{"--lang", "fr"} << 2 << "fr";
  QTest::newRow("without code") << QStringList{"--lang"} << 2 << "lang";
}

void tst_Languages::commandLineLanguage() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, mention);

  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  QProcess process;
  process.start(QStringLiteral(E1_RUNTIME_DIR "/e1-launcher"),
                arguments << QStringLiteral("--screenshots") << folder.path());
  QVERIFY(process.waitForFinished(120000));
  QCOMPARE(process.exitStatus(), QProcess::NormalExit);
  const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
  QVERIFY2(process.exitCode() == exitCode, qPrintable(errors));
  QVERIFY2(errors.contains(mention), qPrintable(errors));
  if (exitCode == 0)
    QVERIFY(
        QFileInfo::exists(folder.filePath(QStringLiteral("window-rx.png"))));
}

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
