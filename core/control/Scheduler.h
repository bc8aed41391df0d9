// The one-second scheduler's rules: interval texts, the period test shared by
// the auto change and the broadcast, and what one timer tick has to do.
// Date-times are days since 1899-12-30 (see TimeHelpers.h); periods are seconds.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Items of the auto-change interval list ("1 minute" .. "1 week").
const std::vector<std::string>& AutoChangeIntervalItems();
// Items of the broadcast interval list: the auto-change list without "1 minute".
const std::vector<std::string>& BroadcastIntervalItems();
// Items of the start-hour list, "0" .. "23".
const std::vector<std::string>& StartHourItems();

extern const char* const kDefaultIntervalText;   // "1 hour"
extern const char* const kDefaultStartHourText;  // "0"

// Seconds of an interval text: leading digits times the first unit word found
// ("second", "minute", "hour", "day", "week", tried in that order); 1 when the
// text names no unit; 0 for an empty text.
double GetPeriodFromText(const std::string& text);

// Whether a period has passed since last at now. Without a start hour: when at
// least period seconds lie between them. With one: when the latest slot of the
// grid that starts today at that hour and steps by period lies in (last, now].
// A period of zero or less is due at every tick (from the start hour on).
bool IsPeriodElapsed(double period, double last, double now,
                     std::optional<int> startHour = std::nullopt);

// The system power status as the scheduler reads it: mains power only when the
// AC line status is 1. A query that failed counts as mains power, so that a
// system that cannot report its power never stops the schedule for good.
bool IsMainsPowerStatus(bool querySucceeded, unsigned acLineStatus);

// Everything a tick looks at besides the clock and the power status.
struct TTimerTickState {
  bool IsAutoChange = true;
  double AutoChangePeriod = 0;
  double LastAutoChangeTime = 0;
  bool IsRandom = false;
  std::optional<int> StartHour;  // set while the start hour is in use
  bool ShowCalendar = false;
  double LastRedrawTime = 0;
  bool IsBroadcast = true;
  double BroadcastPeriod = 0;
  double LastBroadcastTime = 0;
  bool IsPictureListEmpty = true;
  bool IsCurrentFileTitleEmpty = true;
  // Every picture of the list failed to load in a row: an empty title no
  // longer forces a change; the period still does.
  bool AllPicturesUnreadable = false;
};

// What a tick does, in this order: stir the random generator, change the
// picture (which composes it), broadcast, compose the wallpaper when the
// picture did not change (re-reading the picture when reload).
struct TTimerTickActions {
  bool MixCursor = false;
  bool ChangePicture = false;
  bool ChangeRandomly = false;
  bool Broadcast = false;
  bool Compose = false;
  bool Reload = false;
};

// A last change or broadcast time later than now (a clock that was wrong for a
// while, a hand edit) becomes now, so that the schedule counts from now instead
// of waiting for the clock to catch up; true when one was changed.
bool ClampFutureLastTimes(TTimerTickState& state, double now);

bool IsAutoChangeDue(const TTimerTickState& state, double now);
// The whole-day parts (truncated toward zero) of the last redraw and now differ.
bool IsCalendarDayChanged(const TTimerTickState& state, double now);
bool IsBroadcastDue(const TTimerTickState& state, double now);

// The tick's decisions; nothing at all while not on mains power.
TTimerTickActions DecideTimerTick(const TTimerTickState& state, bool onMainsPower, double now);

// What the main window lends the tick.
struct TTimerTickHooks {
  std::function<bool()> IsRunningOnMainsPower;
  std::function<double()> Now;
  std::function<void()> MixCursor;
  std::function<TTimerTickState()> ReadState;
  // Keeps last times that ClampFutureLastTimes changed.
  std::function<void(double lastAutoChangeTime, double lastBroadcastTime)> WriteLastTimes;
  // Traced; stamps LastAutoChangeTime and composes the new picture, stepping
  // over pictures that cannot be read.
  std::function<void(bool random)> ChangePicture;
  std::function<void()> BroadcastWallpaperFile;     // traced; stamps LastBroadcastTime
  std::function<void(bool reload)> SetFileAsWallpaper;  // traced
};

// The main window's timer handler (trace "TMainForm::TimerTimer"): runs the
// decisions through the hooks. Failures are recorded, never shown; a failed
// picture change does not keep the broadcast from being sent, nor a failed
// broadcast the new day from being composed.
void RunTimerTick(const TTimerTickHooks& hooks);
