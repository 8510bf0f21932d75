#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <sstream>

#include "support/CaptureReporter.h"
#include "support/TreeBuilders.h"

using namespace tb;

namespace {

std::string Encode(const Element& e) {
  std::ostringstream out;
  EXPECT_TRUE(e.Save(out));
  return out.str();
}

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

// Loads `bytes` into a holder over `t`; returns whether it loaded.
bool Decode(const std::string& bytes, const VariableTable& t, ElHolder& h) {
  std::istringstream in(bytes);
  h.variables = &t;
  return h.Load(in, 0);
}

std::uint64_t BitsOf(double d) {
  std::uint64_t b;
  std::memcpy(&b, &d, 8);
  return b;
}

}  // namespace

TEST(Encoding, WritesPreOrderTagsAndLittleEndianDoubles) {
  VariableTable t("x");
  EXPECT_EQ(Encode(*Mult(X(t), C(2))), Bytes({0x82, 0x40, 0x00, 0, 0, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(Encode(*Sin(Neg(X(t)))), Bytes({0xC6, 0x80, 0x40}));
  EXPECT_EQ(Encode(*Op1(kOpLn, X(t))), Bytes({0xCF, 0x40}));
  EXPECT_EQ(Encode(*Minus(X(t), X(t))), Bytes({0x85, 0x40, 0x40}));
}

TEST(Encoding, ConstantsRoundTripBitForBit) {
  VariableTable t("x");
  const double negNaN = -std::numeric_limits<double>::quiet_NaN();
  double payloadNaN;
  const std::uint64_t payload = 0x7ff4000000000123ull;
  std::memcpy(&payloadNaN, &payload, 8);
  for (double v : {0.0, -0.0, 2.0, -1e-300, 1e308, std::numeric_limits<double>::denorm_min(),
                   std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN(), negNaN, payloadNaN}) {
    ElHolder h;
    ASSERT_TRUE(Decode(Encode(*C(v)), t, h));
    EXPECT_EQ(BitsOf(static_cast<ElConst&>(*h.child).value), BitsOf(v));
  }
}

TEST(Encoding, RandomTreesRoundTripByteForByte) {
  VariableTable t("x");
  std::mt19937 rng(1234);
  // Grows a random tree of at most `depth` levels.
  std::function<Node(int)> grow = [&](int depth) -> Node {
    const int pick = depth <= 1 ? static_cast<int>(rng() % 2) : static_cast<int>(rng() % 18);
    if (pick == 0) return C(std::uniform_real_distribution<double>(-1e6, 1e6)(rng));
    if (pick == 1) return X(t);
    const int code = pick - 2;
    if (OperationTable[code].arity == 1) return Op1(code, grow(depth - 1));
    Node l = grow(depth - 1);
    return Op2(code, std::move(l), grow(depth - 1));
  };
  for (int i = 0; i < 300; ++i) {
    ElHolder h = Hold(grow(8), t);
    const std::string bytes = Encode(h);
    ElHolder back;
    ASSERT_TRUE(Decode(bytes, t, back));
    EXPECT_EQ(Encode(back), bytes);
    EXPECT_EQ(back.ElementCount(), h.ElementCount());
  }
}

TEST(Encoding, LoadRejectsWrongIdsWithTheirMessages) {
  VariableTable t("x");
  struct Case {
    std::string bytes;
    const char* message;
  } cases[] = {
      {Bytes({0x90}), "Wrong operation or function id"},        // class 2, code 16
      {Bytes({0xD3, 0x40}), "Wrong operation or function id"},  // the holder's code 19
      {Bytes({0x41}), "Wrong variable id"},                     // a second variable
      {Bytes({0x82, 0x40, 0x7f}), "Wrong variable id"},
  };
  for (const Case& c : cases) {
    CaptureReporter log;
    ElHolder h = Hold(X(t), t);
    EXPECT_FALSE(Decode(c.bytes, t, h));
    EXPECT_TRUE(h.Empty());
    EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{c.message});
  }
}

TEST(Encoding, ClassBitsOfOperationsAreNotCompared) {
  VariableTable t("x");
  ElHolder h;
  ASSERT_TRUE(Decode(Bytes({0xC4, 0x40, 0x40}), t, h));  // class 3 with the code of "+"
  EXPECT_EQ(h.child->TypeCode(), kOpPlus);
  EXPECT_EQ(h.Text(), "x+x");
  ASSERT_TRUE(Decode(Bytes({0x86, 0x40}), t, h));  // class 2 with the code of sin
  EXPECT_EQ(h.Text(), "sin(x)");
  ASSERT_TRUE(Decode(Bytes({0x3f, 0, 0, 0, 0, 0, 0, 0xf0, 0x3f}), t, h));  // constant, low bits ignored
  EXPECT_EQ(h.Text(), "1");
}

TEST(Encoding, MalformedInputFailsQuietlyAndLeavesTheHolderEmpty) {
  VariableTable t("x");
  const std::string deep(1000000, static_cast<char>(0x80));
  std::string atLimit(kMaxTreeDepth - 1, static_cast<char>(0x80));
  atLimit += static_cast<char>(0x40);
  std::string overLimit(kMaxTreeDepth, static_cast<char>(0x80));
  overLimit += static_cast<char>(0x40);
  for (const std::string& bytes : {std::string(), Bytes({0x82, 0x40}), Bytes({0x00, 1, 2, 3}),
                                   Bytes({0xC6}), deep, overLimit}) {
    CaptureReporter log;
    ElHolder h = Hold(X(t), t);
    EXPECT_FALSE(Decode(bytes, t, h)) << bytes.size();
    EXPECT_TRUE(h.Empty());
    EXPECT_TRUE(log.Messages().empty());
  }
  ElHolder h;
  ASSERT_TRUE(Decode(atLimit, t, h));
  EXPECT_EQ(h.ElementCount(), kMaxTreeDepth);
  t[0].value = 2;
  EXPECT_EQ(h.Evaluate(), (kMaxTreeDepth - 1) % 2 == 0 ? 2 : -2);
  EXPECT_EQ(h.Text().size(), static_cast<size_t>(kMaxTreeDepth));
  EXPECT_EQ(Encode(h), atLimit);
  ElHolder copy(h);
  EXPECT_EQ(copy.ElementCount(), kMaxTreeDepth);
}

TEST(Encoding, RandomBytesNeverCrash) {
  VariableTable t("x");
  CaptureReporter quiet;
  std::mt19937 rng(99);
  int loaded = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string bytes(rng() % 64, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    ElHolder h;
    if (Decode(bytes, t, h)) {
      ++loaded;
      EXPECT_GE(h.ElementCount(), 1);
      h.Text();
      h.Evaluate();
    } else {
      EXPECT_TRUE(h.Empty());
    }
  }
  EXPECT_GT(loaded, 0);
}

TEST(Encoding, EmptyHolderIsNotSaved) {
  CaptureReporter log;
  ElHolder empty;
  std::ostringstream out;
  EXPECT_FALSE(empty.Save(out));
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{"Empty element holders can't be saved"});
}

TEST(Encoding, SaveReportsAFailedStream) {
  VariableTable t("x");
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  EXPECT_FALSE(Mult(X(t), C(2))->Save(out));
}

TEST(Encoding, LoadMessagesGoThroughTheCatalog) {
  VariableTable t("x");
  CaptureReporter log;
  log.translationPrefix = "T:";
  ElHolder h;
  EXPECT_FALSE(Decode(Bytes({0x41}), t, h));
  EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{"T:Wrong variable id"});
}
