#pragma once
// What a soak run saw, in seconds since the harness started: the request
// lines of both simulators as they appeared, the timer ticks with the
// worker's state at each, the worker's busy spells, the outages, the
// resource samples, the boxes and the exit. Plain data, so that the checks
// can be tried on made-up runs.

#include <string>
#include <vector>

namespace soak {

struct StampedLine {
  double t = 0;
  std::string line;
};

// What the worker was doing when a timer fired.
enum class TickFound { Idle, Poll, FavoritesScan, UserAction, OtherJob };

struct Tick {
  double t = 0;
  TickFound found = TickFound::Idle;
};

struct Spell {
  double begin = 0;
  double end = 0;  // the run's end when the worker was still busy then
};

struct Outage {
  double begin = 0;
  double end = -1;  // -1: still silent at the exit
};

struct Sample {
  double t = 0;
  long rssKb = 0;
  int descriptors = 0;
  int threads = 0;
};

struct SoakRecord {
  double startedAt = 0;  // the start-up went through; the timers run from here
  double endedAt = 0;    // the exit was asked for
  std::vector<StampedLine> live;  // the demo node's requests
  std::vector<StampedLine> far;   // the computer that goes silent
  std::vector<Tick> pollTicks;
  std::vector<Tick> favoritesTicks;
  std::vector<Spell> busy;
  std::vector<Outage> outages;
  std::vector<Sample> samples;
  std::vector<std::string> boxesSeen;  // "title: text" of every box that opened
  std::vector<std::string> boxesOpen;  // still open at the end
  int actionsDone = 0;
  int actionsPutOff = 0;  // another user action was still under way
  double exitSeconds = -1;  // -1: the console did not end
  int exitCode = -1;
};

}  // namespace soak
