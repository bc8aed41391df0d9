#include "core/control/Scheduler.h"

#include <cmath>

#include "core/settings/ListItems.h"
#include "core/trace/FunStatus.h"

const char* const kDefaultIntervalText = "1 hour";
const char* const kDefaultStartHourText = "0";

const std::vector<std::string>& AutoChangeIntervalItems() {
  static const std::vector<std::string> items = {
      "1 minute", "5 minutes", "15 minutes", "30 minutes", "1 hour",  "2 hours", "3 hours",
      "6 hours",  "12 hours",  "20 hours",   "1 day",      "2 days", "3 days",  "1 week"};
  return items;
}

const std::vector<std::string>& BroadcastIntervalItems() {
  static const std::vector<std::string> items(AutoChangeIntervalItems().begin() + 1,
                                              AutoChangeIntervalItems().end());
  return items;
}

const std::vector<std::string>& StartHourItems() {
  static const std::vector<std::string> items = NumberItems(0, 23, 1);
  return items;
}

double GetPeriodFromText(const std::string& text) {
  if (text.empty()) return 0;
  // Accumulated as a real number so that a long run of digits cannot overflow.
  double count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    count = count * 10 + (c - '0');
  }
  static const struct {
    const char* Word;
    double Seconds;
  } kUnits[] = {{"second", 1}, {"minute", 60}, {"hour", 3600}, {"day", 86400}, {"week", 604800}};
  for (const auto& unit : kUnits)
    if (text.find(unit.Word) != std::string::npos) return count * unit.Seconds;
  return 1;
}

namespace {

// Seconds from one date-time to another, to the millisecond: the clock gives
// no finer time, and whole-second steps must not fall a hair short.
double SecondsBetween(double from, double to) {
  return std::round((to - from) * 86400000.0) / 1000.0;
}

}  // namespace

bool IsPeriodElapsed(double period, double last, double now, std::optional<int> startHour) {
  // A last time that is not a number would never be passed.
  if (!std::isfinite(last)) last = 0;
  if (!startHour) return SecondsBetween(last, now) >= period;
  const double start = std::trunc(now) + *startHour * (1.0 / 24);
  const double sinceStart = SecondsBetween(start, now);
  // Before the start hour nothing is due, also at the instants where the
  // truncated slot would coincide with now (01:00:00 for a start at 08).
  if (sinceStart < 0) return false;
  // A grid of no width has a slot at every moment: due whenever time moved on.
  if (period <= 0) return SecondsBetween(last, now) > 0;
  const double slot = std::trunc(sinceStart / period) * period;  // seconds after start
  return slot > SecondsBetween(start, last);
}

bool IsMainsPowerStatus(bool querySucceeded, unsigned acLineStatus) {
  return !querySucceeded || acLineStatus == 1;
}

bool ClampFutureLastTimes(TTimerTickState& state, double now) {
  bool changed = false;
  for (double* last : {&state.LastAutoChangeTime, &state.LastBroadcastTime}) {
    if (*last > now) {
      *last = now;
      changed = true;
    }
  }
  return changed;
}

bool IsAutoChangeDue(const TTimerTickState& state, double now) {
  return state.IsAutoChange && !state.IsPictureListEmpty &&
         (IsPeriodElapsed(state.AutoChangePeriod, state.LastAutoChangeTime, now,
                          state.StartHour) ||
          (state.IsCurrentFileTitleEmpty && !state.AllPicturesUnreadable));
}

bool IsCalendarDayChanged(const TTimerTickState& state, double now) {
  return state.ShowCalendar && std::trunc(state.LastRedrawTime) != std::trunc(now);
}

bool IsBroadcastDue(const TTimerTickState& state, double now) {
  return state.IsBroadcast && !state.IsPictureListEmpty &&
         IsPeriodElapsed(state.BroadcastPeriod, state.LastBroadcastTime, now, state.StartHour);
}

TTimerTickActions DecideTimerTick(const TTimerTickState& state, bool onMainsPower, double now) {
  TTimerTickActions actions;
  if (!onMainsPower) return actions;
  actions.MixCursor = true;
  actions.ChangePicture = IsAutoChangeDue(state, now);
  actions.ChangeRandomly = actions.ChangePicture && state.IsRandom;
  actions.Broadcast = IsBroadcastDue(state, now);
  actions.Compose = actions.ChangePicture || IsCalendarDayChanged(state, now);
  actions.Reload = actions.ChangePicture;
  return actions;
}

void RunTimerTick(const TTimerTickHooks& hooks) {
  FUN_TRACE("TMainForm::TimerTimer");
  FUN_GUARD({
    if (!hooks.IsRunningOnMainsPower()) return;
    hooks.MixCursor();
    const double now = hooks.Now();
    TTimerTickState state = hooks.ReadState();
    if (ClampFutureLastTimes(state, now))
      hooks.WriteLastTimes(state.LastAutoChangeTime, state.LastBroadcastTime);
    TTimerTickActions actions = DecideTimerTick(state, true, now);
    if (actions.ChangePicture) {
      hooks.ChangePicture(actions.ChangeRandomly);
      trace_.CalleeFailed();  // recorded; a picture not shown does not hold up the broadcast
      // The change composed the new picture, calendar included.
      actions.Compose = false;
      // The change may have dropped vanished files down to an empty list.
      actions.Broadcast = IsBroadcastDue(hooks.ReadState(), now);
    }
    if (actions.Broadcast) {
      hooks.BroadcastWallpaperFile();
      trace_.CalleeFailed();  // recorded; the composition does not need it
    }
    if (actions.Compose) {
      FUN_CALL(hooks.SetFileAsWallpaper(actions.Reload));
    }
  });
}
