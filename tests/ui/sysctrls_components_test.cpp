#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHelpEvent>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include "SysCtrls/animate_form.h"
#include "SysCtrls/application_object.h"
#include "SysCtrls/pseudo_app.h"
#include "SysCtrls/sysctrls_errors.h"

namespace kelmora {
namespace {

// The application object is process-wide: each test leaves it as it found it.
class AppComponents : public ::testing::Test {
protected:
    ApplicationObject& app = ApplicationObject::instance();
    void TearDown() override {
        app.setMainForm(nullptr);
        app.OnIdle = nullptr;
        app.OnMinimize = nullptr;
        app.OnRestore = nullptr;
        app.OnShowHint = nullptr;
        app.OnHint = nullptr;
        app.setShowHint(true);
        QToolTip::hideText();
    }
};

struct RecordedSounds : SystemSounds {
    QStringList played;
    void play(const QString& alias) override { played << alias; }
};

TEST_F(AppComponents, EachComponentRefusesWithItsMessage) {
    auto pseudo = std::make_unique<TPseudoApp>();
    try {
        TPseudoApp second;
        ADD_FAILURE() << "second TPseudoApp accepted";
    } catch (const EPseudoAppError& e) {
        EXPECT_STREQ(e.what(), "Only Single Instance Allowed");
    }
    pseudo.reset();
    EXPECT_NO_THROW(TPseudoApp{});

    QWidget mainForm, otherForm;
    QWidget child(&mainForm);
    QObject plain;
    RecordedSounds sounds;
    for (QObject* owner : {static_cast<QObject*>(nullptr), &plain, static_cast<QObject*>(&child)}) {
        try {
            TAnimateForm animate(owner, sounds);
            ADD_FAILURE() << "owner accepted: " << (owner ? owner->metaObject()->className() : "null");
        } catch (const EAnimateFormError& e) {
            EXPECT_STREQ(e.what(), "Owner must be a form");
        }
    }
    EXPECT_NO_THROW(TAnimateForm(&otherForm, sounds));  // no main form yet: any form may be the first
    app.setMainForm(&mainForm);
    try {
        TAnimateForm animate(&otherForm, sounds);
        ADD_FAILURE() << "form other than the main form accepted";
    } catch (const EAnimateFormError& e) {
        EXPECT_STREQ(e.what(), "AnimateForm muse be placed in a main form");
    }
    EXPECT_NO_THROW(TAnimateForm(&mainForm, sounds));
}

TEST_F(AppComponents, EarlierApplicationHandlerWinsAndComponentTakesBackOnlyItsOwn) {
    QStringList calls;
    app.OnIdle = [&](QObject*, bool&) { calls << "earlier idle"; };
    {
        TPseudoApp pseudo;
        pseudo.OnIdle = [&](QObject*, bool&) { calls << "component idle"; };
        pseudo.OnMinimize = [&](QObject*) { calls << "component minimize"; };
        pseudo.loaded();
        bool done = true;
        app.OnIdle(&app, done);
        app.OnMinimize(&app);
        EXPECT_EQ(calls, QStringList({"earlier idle", "component minimize"}));
    }
    EXPECT_TRUE(app.OnIdle);  // the earlier handler is not the component's to remove
    EXPECT_FALSE(app.OnMinimize);
}

TEST_F(AppComponents, ComponentOnALaterFormHandsNothingOver) {
    QWidget mainForm;
    app.setMainForm(&mainForm);
    const int hidePause = app.hintHidePause();
    TPseudoApp pseudo;
    pseudo.HintHidePause = hidePause + 1;
    pseudo.OnMinimize = [](QObject*) {};
    pseudo.loaded();
    EXPECT_EQ(app.hintHidePause(), hidePause);
    EXPECT_FALSE(app.OnMinimize);
}

TEST_F(AppComponents, HintSettingsReachTheToolTips) {
    QWidget form;
    form.setToolTip(QStringLiteral("short"));
    form.resize(100, 50);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    TPseudoApp pseudo;
    pseudo.HintColor = rgb(0x12, 0x34, 0x56);
    pseudo.HintPause = 321;
    pseudo.HintHidePause = 4321;
    HintInfo seen;
    pseudo.OnShowHint = [&](QString& text, bool&, HintInfo& info) {
        seen = info;
        text = QStringLiteral("changed");
    };
    pseudo.loaded();
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 321);

    QHelpEvent tip(QEvent::ToolTip, QPoint(10, 10), form.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&form, &tip);
    EXPECT_EQ(seen.control, &form);
    EXPECT_EQ(seen.hideTimeout, 4321);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("changed"));

    app.setShowHint(false);  // the open tip fades out
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    seen = HintInfo{};
    QHelpEvent again(QEvent::ToolTip, QPoint(10, 10), form.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&form, &again);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_EQ(seen.control, nullptr);  // no hint, so no show-hint event
}

TEST_F(AppComponents, OnHintFollowsTheStatusTipUnderTheMouse) {
    QWidget form;
    int hints = 0;
    app.OnHint = [&](QObject*) { ++hints; };
    for (const char* tip : {"今日の予定", "今日の予定", ""}) {
        QStatusTipEvent event(QString::fromUtf8(tip));
        QApplication::sendEvent(&form, &event);
    }
    EXPECT_EQ(hints, 2);  // a change each time, not a repeat
    EXPECT_EQ(app.hint(), QString());
}

TEST_F(AppComponents, OnIdleFiresWhenTheLoopWaitsAndAgainWhileNotDone) {
    TPseudoApp pseudo;
    QEventLoop loop;
    int idleCalls = 0;
    pseudo.OnIdle = [&](QObject*, bool& done) {
        done = ++idleCalls >= 3;  // not done twice: called again without new events
        if (done) loop.quit();
    };
    pseudo.loaded();
    bool timedOut = false;
    QTimer::singleShot(2000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(idleCalls, 3);
}

TEST_F(AppComponents, MinimiseAndRestoreOfTheMainFormSoundAndFireOncePerChange) {
    QWidget form;
    RecordedSounds sounds;
    TPseudoApp pseudo;
    TAnimateForm animate(&form, sounds);
    QStringList events;
    pseudo.OnMinimize = [&](QObject*) { events << "minimize"; };
    pseudo.OnRestore = [&](QObject*) { events << "restore"; };
    pseudo.loaded();
    app.setMainForm(&form);

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.showMinimized();
    form.showNormal();
    form.showMaximized();  // not a minimise or restore
    form.showMinimized();
    EXPECT_EQ(events, QStringList({"minimize", "restore", "minimize"}));
    EXPECT_EQ(sounds.played, QStringList({"Minimize", "RestoreUp", "Minimize"}));
}

}  // namespace
}  // namespace kelmora
