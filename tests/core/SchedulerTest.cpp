#include "core/control/Scheduler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "core/trace/FunStatus.h"
#include "core/control/TimeHelpers.h"

namespace {

double At(int day, int hour, int minute = 0, int second = 0, int millisecond = 0) {
  return *EncodeDateTime({2024, 5, day, hour, minute, second, millisecond});
}

TEST(SchedulerTest, PeriodTexts) {
  const double seconds[] = {60,    300,   900,   1800,  3600,   7200,   10800,
                            21600, 43200, 72000, 86400, 172800, 259200, 604800};
  ASSERT_EQ(AutoChangeIntervalItems().size(), 14u);
  for (size_t i = 0; i < 14; ++i) EXPECT_EQ(GetPeriodFromText(AutoChangeIntervalItems()[i]), seconds[i]);
  EXPECT_EQ(GetPeriodFromText(""), 0);
  EXPECT_EQ(GetPeriodFromText("3 Minutes"), 1);              // unit words are case-sensitive
  EXPECT_EQ(GetPeriodFromText("2 days and 30 seconds"), 2);  // "second" is tried first
  EXPECT_GT(GetPeriodFromText("99999999999999999999999 weeks"), 6e27);
}

TEST(SchedulerTest, PeriodWithoutStartHourZeroPeriodAndPower) {
  EXPECT_FALSE(IsPeriodElapsed(3600, At(1, 10), At(1, 10, 59, 59)));
  EXPECT_TRUE(IsPeriodElapsed(3600, At(1, 10), At(1, 11)));
  // Differences that lie a hair short of the period in binary.
  EXPECT_TRUE(IsPeriodElapsed(3600, At(1, 0), At(1, 1)));
  EXPECT_TRUE(IsPeriodElapsed(60, At(1, 0, 0, 14), At(1, 0, 1, 14)));
  EXPECT_TRUE(IsPeriodElapsed(3600, std::nan(""), At(1, 11)));

  for (double period : {0.0, -5.0}) {
    EXPECT_TRUE(IsPeriodElapsed(period, At(1, 9), At(1, 9, 0, 1), 8));
    EXPECT_FALSE(IsPeriodElapsed(period, At(1, 9, 0, 1), At(1, 9, 0, 1), 8));
    EXPECT_FALSE(IsPeriodElapsed(period, At(1, 6), At(1, 7), 8));
  }

  EXPECT_FALSE(IsMainsPowerStatus(true, 255));  // unknown
  EXPECT_TRUE(IsMainsPowerStatus(false, 0));
}

// Ticks once a second (at the given millisecond) from day 1 00:00 for the
// given days, stamping the last time whenever due; returns the due times.
std::vector<double> DueTicks(double period, int days, int millisecond) {
  std::vector<double> due;
  double last = 0;
  for (int t = 0; t < days * 86400; ++t) {
    const double now = At(1 + t / 86400, t / 3600 % 24, t / 60 % 60, t % 60, millisecond);
    if (IsPeriodElapsed(period, last, now, 8)) due.push_back(last = now);
  }
  return due;
}

TEST(SchedulerTest, StartHourGridRestartsEachDay) {
  for (int ms : {0, 437}) {
    std::vector<double> hourly;
    for (int day = 1; day <= 2; ++day)
      for (int hour = 8; hour <= 23; ++hour) hourly.push_back(At(day, hour, 0, 0, ms));
    EXPECT_EQ(DueTicks(3600, 2, ms), hourly);
    const std::vector<double> daily = {At(1, 8, 0, 0, ms), At(2, 8, 0, 0, ms), At(3, 8, 0, 0, ms)};
    EXPECT_EQ(DueTicks(172800, 3, ms), daily);
  }
  // Started late: the slot already passed today is caught up once.
  EXPECT_TRUE(IsPeriodElapsed(172800, At(1, 8), At(2, 10, 30), 8));
  EXPECT_FALSE(IsPeriodElapsed(172800, At(2, 10, 30), At(2, 23), 8));
}

TTimerTickState SteadyState() {
  TTimerTickState state;
  state.AutoChangePeriod = state.BroadcastPeriod = 3600;
  state.LastAutoChangeTime = state.LastBroadcastTime = state.LastRedrawTime = At(1, 10);
  state.ShowCalendar = true;
  state.IsPictureListEmpty = state.IsCurrentFileTitleEmpty = false;
  return state;
}

TEST(SchedulerTest, TickDecisions) {
  TTimerTickState state = SteadyState();
  state.IsRandom = true;
  // On battery nothing happens however long ago; the first tick on mains catches up.
  const TTimerTickActions battery = DecideTimerTick(state, false, At(20, 10));
  EXPECT_FALSE(battery.MixCursor || battery.ChangePicture || battery.Broadcast || battery.Compose);
  const TTimerTickActions mains = DecideTimerTick(state, true, At(20, 10));
  EXPECT_TRUE(mains.MixCursor && mains.ChangePicture && mains.ChangeRandomly && mains.Broadcast &&
              mains.Compose && mains.Reload);
  state.IsRandom = false;
  const TTimerTickActions inTurn = DecideTimerTick(state, true, At(20, 10));
  EXPECT_TRUE(inTurn.ChangePicture);
  EXPECT_FALSE(inTurn.ChangeRandomly);

  // Midnight: one redraw without reload.
  state.IsAutoChange = false;
  state.LastRedrawTime = At(1, 23, 59, 59);
  const TTimerTickActions midnight = DecideTimerTick(state, true, At(2, 0, 0, 1));
  EXPECT_TRUE(midnight.Compose);
  EXPECT_FALSE(midnight.Reload || midnight.ChangePicture);
  state.LastRedrawTime = At(2, 0, 0, 1);
  EXPECT_FALSE(DecideTimerTick(state, true, At(2, 0, 0, 2)).Compose);
  state.LastRedrawTime = At(1, 23, 59, 59);
  state.ShowCalendar = false;  // no calendar: the new day changes nothing
  EXPECT_FALSE(DecideTimerTick(state, true, At(2, 0, 0, 1)).Compose);

  // No current picture: chosen at once while auto change is on, never while it is off.
  state = SteadyState();
  state.IsCurrentFileTitleEmpty = true;
  EXPECT_TRUE(DecideTimerTick(state, true, At(1, 10, 0, 1)).ChangePicture);
  state.IsAutoChange = false;
  EXPECT_FALSE(DecideTimerTick(state, true, At(1, 10, 0, 1)).ChangePicture);
  // Once every picture failed to load in a row, only the period changes the picture.
  state.IsAutoChange = true;
  state.AllPicturesUnreadable = true;
  EXPECT_FALSE(DecideTimerTick(state, true, At(1, 10, 0, 1)).ChangePicture);
  EXPECT_TRUE(DecideTimerTick(state, true, At(1, 11)).ChangePicture);

  // The start hour governs the broadcast too.
  state = SteadyState();
  state.StartHour = 12;
  EXPECT_FALSE(DecideTimerTick(state, true, At(1, 11, 30)).Broadcast);
  EXPECT_TRUE(DecideTimerTick(state, true, At(1, 12)).Broadcast);
}

// Runs one tick against a fake main window whose operations are traced and
// log their calls; returns the log.
struct TFakeWindow {
  bool OnMains = true, ChangeDue = true, ChangeEmptiesList = false, ChangeFails = false, BroadcastFails = false;
  std::function<double()> Now = [] { return At(3, 12); };
  TTimerTickState State = SteadyState();

  std::string RunTick() {
    std::string log;
    if (!ChangeDue) {
      // Changed just now, drawn yesterday: the calendar's new day is due.
      State.LastAutoChangeTime = Now();
      State.LastRedrawTime = Now() - 1;
    }
    TTimerTickHooks hooks;
    hooks.IsRunningOnMainsPower = [&] { log += "power "; return OnMains; };
    hooks.Now = Now;
    hooks.MixCursor = [&] { log += "mix "; };
    hooks.ReadState = [&] { return State; };
    hooks.WriteLastTimes = [&](double lastAutoChange, double lastBroadcast) {
      log += "clamp ";
      State.LastAutoChangeTime = lastAutoChange;
      State.LastBroadcastTime = lastBroadcast;
    };
    hooks.ChangePicture = [&](bool) {
      FUN_TRACE("ChangePicture");
      FUN_GUARD({
        log += "change ";
        State.LastAutoChangeTime = Now();
        State.IsPictureListEmpty = ChangeEmptiesList;
        if (ChangeFails) FUN_RAISE("No picture.");
      });
    };
    hooks.BroadcastWallpaperFile = [&] {
      FUN_TRACE("TMainForm::BroadcastWallpaperFile");
      FUN_GUARD({
        log += "broadcast ";
        State.LastBroadcastTime = Now();
        if (BroadcastFails) FUN_RAISE("No registry.");
      });
    };
    hooks.SetFileAsWallpaper = [&](bool reload) {
      FUN_TRACE("TMainForm::SetFileAsWallpaper");
      FUN_GUARD({ log += reload ? "compose(reload)" : "compose"; });
    };
    RunTimerTick(hooks);
    return log;
  }
};

TEST(SchedulerTest, TickRunsItsStepsInOrderAndRecordsFailures) {
  // The change composes the new picture itself.
  TFakeWindow window;
  EXPECT_EQ(window.RunTick(), "power mix change broadcast ");
  EXPECT_FALSE(FunStatContext.Failed());
  window.OnMains = false;
  EXPECT_EQ(window.RunTick(), "power ");

  window = TFakeWindow();
  window.ChangeEmptiesList = true;
  EXPECT_EQ(window.RunTick(), "power mix change ");

  // A change whose picture could not be shown is recorded; the broadcast still goes out.
  window = TFakeWindow();
  window.ChangeFails = true;
  EXPECT_EQ(window.RunTick(), "power mix change broadcast ");
  EXPECT_EQ(FunStatContext.Function, "ChangePicture");

  // A failed broadcast is kept in the record; a new day is still composed.
  window = TFakeWindow();
  window.BroadcastFails = true;
  window.ChangeDue = false;
  EXPECT_EQ(window.RunTick(), "power mix broadcast compose");
  EXPECT_EQ(FunStatContext.Description, "No registry.");

  // Last times stored in the future count from now: nothing at once, both one period later.
  window = TFakeWindow();
  window.State.LastAutoChangeTime = At(20, 9);
  window.State.LastBroadcastTime = At(3, 12, 30);
  EXPECT_EQ(window.RunTick(), "power mix clamp compose");
  EXPECT_EQ(window.State.LastAutoChangeTime, At(3, 12));
  EXPECT_EQ(window.State.LastBroadcastTime, At(3, 12));
  window.Now = [] { return At(3, 12, 59, 59); };
  EXPECT_EQ(window.RunTick(), "power mix compose");
  window.Now = [] { return At(3, 13); };
  EXPECT_EQ(window.RunTick(), "power mix change broadcast ");

  window = TFakeWindow();
  window.Now = []() -> double { throw std::runtime_error("no clock"); };
  window.RunTick();
  EXPECT_EQ(FunStatContext.Function, "TMainForm::TimerTimer");
  EXPECT_EQ(FunStatContext.Description, "Unhandled exception: no clock");
  FunStatContext.Reset(Perfect);
}

}  // namespace
