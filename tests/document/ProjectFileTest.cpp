#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "document/ProjectFile.h"
#include "expr/Compiler.h"
#include "goal/GoalSection.h"
#include "support/CaptureReporter.h"

namespace {

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s += static_cast<char>(b);
  return s;
}

std::unique_ptr<ElHolder> Formula(Document& doc, const char* text) {
  Compiler c;
  auto tree = c.Compile(text, doc.variables);
  EXPECT_NE(tree, nullptr) << text;
  return tree;
}

// A project with a built goal, results of two periods, pending variants and statistics.
void FillProject(Document& doc) {
  doc.goal.settings.expressionSource = true;
  doc.goal.settings.expression = "x^2";
  doc.goal.settings.minX = 0;
  doc.goal.settings.maxX = 2;
  doc.goal.settings.pointsCount = 5;
  doc.goal.settings.apcf = 1;
  doc.goal.InputChanged();
  ASSERT_NE(doc.goal.GetGoal(true), nullptr);
  doc.params.roundingPlaces = 3;
  AddVariant(doc, *Formula(doc, "x*x"));
  AddVariant(doc, *Formula(doc, "x+1"));
  doc.results.StartPeriod();
  AddVariant(doc, *Formula(doc, "x*2-1"));
  for (const char* text : {"sin(x)", "x^3"}) {
    auto p = std::make_unique<PendingVariant>();
    p->Setup(doc.goal.GetGoal(true), &doc.variables, 3, 0, 0.01, Formula(doc, text).get(), true);
    p->elapsedMs = 1234;
    p->mutations = 0x100000001ull;
    doc.pendings.Append(std::move(p));
  }
  doc.stats.totalStats.processed = 1000;
  doc.stats.currentStats.processed = 77;
  doc.stats.currentStats.seconds = 12;
  doc.view.followBest = true;
}

std::string Write(Document& doc) {
  std::ostringstream out;
  EXPECT_TRUE(WriteDocument(out, doc));
  return out.str();
}

bool Read(const std::string& bytes, Document& doc) {
  std::istringstream in(bytes);
  return ReadDocument(in, doc);
}

std::vector<std::string> Texts(const ResultsStore& s) {
  std::vector<std::string> out;
  for (ResultEntry* e = s.Head(); e; e = e->next) out.push_back(e->variant->Text());
  return out;
}

// Offsets of the sections of a file written by Write, for corrupting them.
struct Layout {
  size_t results, pendings;
};

}  // namespace

TEST(ProjectFile, GoalSectionLayout) {
  VariableTable t("x");
  GoalDefinition goal(t);
  goal.settings.expressionSource = true;
  goal.settings.expression = "x^2";
  goal.settings.minX = 0;
  goal.settings.maxX = 2;
  goal.settings.pointsCount = 3;
  goal.settings.apcf = 1;
  goal.gridPoints = {{1, -2}};
  ASSERT_NE(goal.GetGoal(true), nullptr);
  std::ostringstream out;
  ASSERT_TRUE(WriteGoalSection(out, goal));
  EXPECT_EQ(out.str(), Bytes({0x54, 1, 0, 0, 0,                             // one grid point
                              0, 0, 0, 0, 0, 0, 0xf0, 0x3f,                 // x = 1
                              0, 0, 0, 0, 0, 0, 0, 0xc0,                    // y = -2
                              1, 1,                                         // built, expression source
                              3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // count, apcf, interpolation twice
                              0, 0, 0, 0, 0, 0, 0, 0,                       // min 0
                              0, 0, 0, 0, 0, 0, 0, 0x40,                    // max 2
                              4, 0, 0, 0, 'x', '^', '2', 0}));

  // Read back: the goal is built again at once.
  VariableTable t2("x");
  GoalDefinition back(t2);
  std::istringstream in(out.str());
  ASSERT_TRUE(ReadGoalSection(in, 0x11, back));
  EXPECT_TRUE(back.goalBuilt);
  EXPECT_FALSE(back.goalChanged);
  EXPECT_EQ(back.settings, goal.settings);
  EXPECT_EQ(back.gridPoints, goal.gridPoints);
  EXPECT_EQ(back.Data().y, (std::vector<double>{0, 1, 4}));
}

TEST(ProjectFile, GoalSectionRefusesBadData) {
  VariableTable t("x");
  GoalDefinition goal(t);
  std::ostringstream out;
  WriteGoalSection(out, goal);
  const std::string good = out.str();
  CaptureReporter log;
  {
    std::istringstream in("\x55" + good.substr(1));
    EXPECT_FALSE(ReadGoalSection(in, 0x11, goal));
  }
  {
    // Two billion points announced, none there: an "End of file", no big allocation.
    std::istringstream in(Bytes({0x54, 0xff, 0xff, 0xff, 0x7f, 1, 2, 3}));
    EXPECT_FALSE(ReadGoalSection(in, 0x11, goal));
    EXPECT_EQ(goal.gridPoints, (std::vector<GoalPoint>{{0, 0}}));
  }
  {
    std::istringstream in(Bytes({0x54, 0xff, 0xff, 0xff, 0xff}));  // negative count
    EXPECT_FALSE(ReadGoalSection(in, 0x11, goal));
  }
  {
    // A text length of 2 GiB with three bytes behind it.
    std::string bytes = good.substr(0, good.size() - 5) + Bytes({0xff, 0xff, 0xff, 0x7f, 'a', 'b', 'c'});
    std::istringstream in(bytes);
    EXPECT_FALSE(ReadGoalSection(in, 0x11, goal));
  }
  EXPECT_EQ(log.Texts(LogLevel::Error), (std::vector<std::string>{"Wrong GoalPanel marker", "End of file"}));
}

TEST(ProjectFile, FullProjectRoundTrip) {
  Document doc;
  FillProject(doc);
  const std::string bytes = Write(doc);
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(bytes.substr(0, 4), Bytes({0x11, 0, 0, 0}));
  EXPECT_EQ(bytes[4], 0x10);
  EXPECT_EQ(bytes.substr(bytes.size() - 3), Bytes({0x65, 1, 1}));

  Document back;
  ASSERT_TRUE(Read(bytes, back));
  EXPECT_EQ(back.params, doc.params);
  EXPECT_EQ(Texts(back.results), (std::vector<std::string>{"x*x", "x+1", "x*2-1"}));
  EXPECT_EQ(back.results.previousCount, 2u);
  EXPECT_EQ(back.results.nextId, 4u);
  ASSERT_NE(back.results.FirstCurrent(), nullptr);
  EXPECT_EQ(back.results.FirstCurrent()->id, 3u);
  // Revalidated against the goal rebuilt from the file.
  EXPECT_DOUBLE_EQ(back.results.Head()->variant->fitness, doc.results.Head()->variant->GetFitness());
  EXPECT_FALSE(back.results.Head()->variant->allDirty);
  EXPECT_EQ(back.results.Head()->variant->variables, &back.variables);
  EXPECT_DOUBLE_EQ(back.results.previousBest, doc.results.previousBest);
  EXPECT_EQ(back.results.previousBestIndex, 0);
  EXPECT_FALSE(back.revalidationNeeded);
  ASSERT_EQ(back.pendings.Count(), 2u);
  const PendingVariant& p = *back.pendings.All().front();
  EXPECT_EQ(p.Text(), "sin(x)");
  EXPECT_EQ(p.elapsedMs, 1234u);
  EXPECT_EQ(p.mutations, 0x100000001ull);
  EXPECT_EQ(back.stats.totalStats.processed, 1000u);
  EXPECT_EQ(back.stats.currentStats.processed, 77u);
  EXPECT_TRUE(back.goal.goalBuilt);
  EXPECT_EQ(back.goal.settings, doc.goal.settings);
  EXPECT_TRUE(back.view.followBest);
  EXPECT_TRUE(back.view.sortByFitness);
  // Written again, the file is the same byte for byte.
  EXPECT_EQ(Write(back), bytes);
}

TEST(ProjectFile, VersionRule) {
  Document doc;
  const std::string body = Write(doc).substr(4);
  const struct {
    int version;
    bool accepted;
    const char* message;
  } cases[] = {{0x12, true, nullptr},
               {0x05, true, nullptr},
               {0x13, false, "Project can be opened only by higher version program (Formulon version 1.3 or above)"},
               {0x20, false, "Project can be opened only by higher version program (Formulon version 2.0 or above)"}};
  for (const auto& c : cases) {
    Document d;
    CaptureReporter log;
    EXPECT_EQ(Read(Bytes({c.version, 0, 0, 0}) + body, d), c.accepted) << c.version;
    if (c.message) {
      EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{c.message});
    }
  }
}

TEST(ProjectFile, ResultsSectionChecks) {
  // A Results section by hand: entries of "x" (tag 0x40) with marks and ids.
  auto section = [](std::vector<std::pair<int, int>> entries, int nextId) {
    std::string s = Bytes({0x21, static_cast<int>(entries.size()), 0, 0, 0});
    for (auto [mark, id] : entries) s += Bytes({0x40, mark, id, 0, 0, 0});
    return s + Bytes({nextId, 0, 0, 0});
  };
  const struct {
    std::string bytes;
    bool ok;
    const char* message;
    std::uint32_t previousCount;
  } cases[] = {
      {section({{1, 1}, {1, 2}, {1, 2}}, 3), false, "Wrong result Id", 0},
      {section({{1, 3}, {1, 7}}, 7), true, nullptr, 0},
      {section({{1, 3}, {1, 7}}, 6), false, "Wrong result Id", 0},
      {section({{0, 1}, {0, 2}, {1, 3}, {1, 4}}, 5), true, nullptr, 2},
      {section({{0, 1}, {1, 2}, {0, 3}}, 4), false, "Previous period in current period", 0},
      {section({}, 1), true, nullptr, 0},
      {Bytes({0x22, 0, 0, 0, 0, 1, 0, 0, 0}), false, "Wrong Results marker", 0},
      {Bytes({0x21, 0xff, 0xff, 0xff, 0x7f, 0x40}), false, nullptr, 0},  // a count the file does not back
      {Bytes({0x21, 0xff, 0xff, 0xff, 0xff, 1, 0, 0, 0}), true, nullptr, 0},  // negative: no entries
  };
  for (const auto& c : cases) {
    ResultsStore store;
    VariableTable t("x");
    CaptureReporter log;
    std::istringstream in(c.bytes);
    EXPECT_EQ(store.ReadSection(in, 0x11, &t), c.ok);
    if (c.message)
      EXPECT_EQ(log.Texts(LogLevel::Error), std::vector<std::string>{c.message});
    else
      EXPECT_TRUE(log.Messages().empty());
    if (c.ok) {
      EXPECT_EQ(store.previousCount, c.previousCount);
    }
  }
  // A next id equal to the last id: the next result does not repeat it.
  ResultsStore store;
  VariableTable t("x");
  std::istringstream in(section({{1, 3}, {1, 7}}, 7));
  ASSERT_TRUE(store.ReadSection(in, 0x11, &t));
  auto v = std::make_unique<Variant>();
  v->allDirty = false;
  EXPECT_EQ(store.Append(std::move(v))->id, 8u);
}

TEST(ProjectFile, RefusesTrailingBytesAndBrokenPendings) {
  Document doc;
  FillProject(doc);
  const std::string bytes = Write(doc);
  {
    Document d;
    CaptureReporter log;
    EXPECT_FALSE(Read(bytes + std::string(1, '\0'), d));
    EXPECT_TRUE(log.Messages().empty());  // no message of its own
  }
  {
    Document d;
    EXPECT_FALSE(Read(bytes.substr(0, bytes.size() - 1), d));
  }
  // A pending variant whose tree is broken.
  const size_t pendings = bytes.find(std::string("\x32\x02\0\0\0", 5));
  ASSERT_NE(pendings, std::string::npos);
  std::string broken = bytes;
  broken[pendings + 5] = static_cast<char>(0x41);
  Document d;
  CaptureReporter log;
  EXPECT_FALSE(Read(broken, d));
  EXPECT_EQ(log.Texts(LogLevel::Error), (std::vector<std::string>{"Wrong variable id", "Error opening pending variant"}));
}

TEST(ProjectFile, SavingDuringARunWritesWorkerSnapshotsFirst) {
  Document doc;
  FillProject(doc);
  // Two pending variants handed out in this run are discarded; snapshots go first.
  doc.pendings.Rewind();
  doc.pendings.TakeNext();
  WriteHooks hooks;
  bool timeUpdated = false;
  hooks.updateTime = [&] { timeUpdated = true; };
  hooks.appendWorkerPendings = [&](PendingList& list) {
    for (const char* text : {"cos(x)", "x-3"}) {
      auto p = std::make_unique<PendingVariant>();
      p->Setup(nullptr, &doc.variables, -1, 0, 0.01, Formula(doc, text).get(), true);
      list.Append(std::move(p));
    }
  };
  std::ostringstream out;
  ASSERT_TRUE(WriteDocument(out, doc, hooks));
  EXPECT_TRUE(timeUpdated);
  Document back;
  ASSERT_TRUE(Read(out.str(), back));
  std::vector<std::string> texts;
  for (const auto& p : back.pendings.All()) texts.push_back(p->Text());
  EXPECT_EQ(texts, (std::vector<std::string>{"cos(x)", "x-3", "x^3"}));
  EXPECT_EQ(doc.pendings.Count(), 1u);  // the taken one was discarded

  // A lock that cannot be taken: nothing but the version word is written.
  CaptureReporter log;
  doc.pendings.lock.InjectFailures(1);
  std::ostringstream failed;
  EXPECT_FALSE(WriteDocument(failed, doc));
  EXPECT_EQ(failed.str().size(), 4u);
  EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Can't lock Mutex"});
}

TEST(ProjectFile, SaveNeverLeavesAHalfWrittenFile) {
  char folder[] = "/tmp/fz-save-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/project.flx";
  Document doc;
  FillProject(doc);
  ASSERT_TRUE(SaveProjectFile(path, doc));
  std::ifstream first(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(first)), std::istreambuf_iterator<char>());
  Document loaded;
  ASSERT_TRUE(LoadProjectFile(path, loaded));

  // A bigger project whose write fails midway (the file size limit is hit).
  for (int i = 0; i < 200; ++i) AddVariant(doc, *Formula(doc, "sin(x)*cos(x)+x^2-1/(x+3)"));
  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = saved.size() + 100;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool ok;
  {
    CaptureReporter log;
    ok = SaveProjectFile(path, doc);
    EXPECT_EQ(log.Texts(LogLevel::SysError), std::vector<std::string>{"Error writing file " + path});
  }
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(doc.modified);
  std::ifstream after(path, std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(after)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, saved);
  // No temporary file is left behind.
  const std::string listing = std::string("ls ") + folder + " | wc -l";
  FILE* ls = popen(listing.c_str(), "r");
  int files = 0;
  ASSERT_EQ(fscanf(ls, "%d", &files), 1);
  pclose(ls);
  EXPECT_EQ(files, 1);

  CaptureReporter log;
  EXPECT_FALSE(SaveProjectFile(std::string(folder) + "/missing/p.flx", doc));
  EXPECT_FALSE(log.Texts(LogLevel::SysError).empty());
  EXPECT_FALSE(LoadProjectFile(std::string(folder) + "/missing.flx", loaded));
  std::remove(path.c_str());
  rmdir(folder);
}

TEST(ProjectFile, RandomCorruptionsAreRefusedOrReadCleanly) {
  Document doc;
  FillProject(doc);
  const std::string good = Write(doc);
  std::mt19937 rng(77);
  CaptureReporter quiet;
  int refused = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string bytes = good;
    switch (rng() % 4) {
      case 0:  // flip a few bytes
        for (int k = 0; k < 1 + static_cast<int>(rng() % 4); ++k) bytes[rng() % bytes.size()] = static_cast<char>(rng());
        break;
      case 1:  // cut it short
        bytes.resize(rng() % bytes.size());
        break;
      case 2:  // insert bytes
        bytes.insert(rng() % bytes.size(), std::string(1 + rng() % 8, static_cast<char>(rng())));
        break;
      default:  // a huge count somewhere
        {
          const size_t at = rng() % (bytes.size() - 4);
          bytes[at] = bytes[at + 1] = bytes[at + 2] = static_cast<char>(0xff);
          bytes[at + 3] = 0x7f;
        }
    }
    Document d;
    if (!Read(bytes, d)) ++refused;
  }
  EXPECT_GT(refused, 2000);
}
