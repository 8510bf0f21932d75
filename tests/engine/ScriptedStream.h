#pragma once
// A random stream that replays a script of words and uniform values, so that
// generation and mutation can be checked draw by draw.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>

#include "engine/Variant.h"

class ScriptedStream {
 public:
  struct Draw {
    bool uniform;
    double value;  // the word, or u in [0, 1)
  };
  static Draw W(std::uint32_t word) { return {false, static_cast<double>(word)}; }
  static Draw U(double u) { return {true, u}; }

  /// Installs the script and points the variant's stream at it.
  static void Play(Variant& v, std::initializer_list<Draw> draws) {
    script().assign(draws.begin(), draws.end());
    v.randWord = &Word;
    v.randUniform = &Uniform;
  }
  static std::size_t Left() { return script().size(); }

 private:
  static std::deque<Draw>& script() {
    static std::deque<Draw> s;
    return s;
  }
  static std::uint32_t Word() {
    if (script().empty() || script().front().uniform) {
      ADD_FAILURE() << (script().empty() ? "script ended" : "a uniform value was scripted") << " at a word draw";
      return 0;
    }
    const auto w = static_cast<std::uint32_t>(script().front().value);
    script().pop_front();
    return w;
  }
  static double Uniform(double a, double b) {
    if (script().empty() || !script().front().uniform) {
      ADD_FAILURE() << (script().empty() ? "script ended" : "a word was scripted") << " at a uniform draw";
      return a;
    }
    const double u = script().front().value;
    script().pop_front();
    return a + u * (b - a);
  }
};
