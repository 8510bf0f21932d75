#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "synthesis/RBTree.h"

namespace {

using Node = RBTree::Node;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Distinct addresses standing in for results; the tree never reads through them.
constexpr int kEntrySlots = 1 << 16;
ResultEntry* EntryFor(int serial) {
  static char slots[kEntrySlots];
  return reinterpret_cast<ResultEntry*>(&slots[serial % kEntrySlots]);
}

bool SameKey(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// The expected order, written independently of the tree: numbers ascending,
// NaN after every number.
bool RefLess(double a, double b) { return a < b || (!std::isnan(a) && std::isnan(b)); }

// Checks links, sizes and the red-black rules of the subtree at `n`; appends
// its nodes in order to `order`. Returns the black height (sentinel: 1), or
// -1 after recording a fault in `error`.
int CheckSubtree(const Node* n, std::vector<const Node*>& order, std::string& error) {
  const Node* nil = RBTree::Sentinel();
  if (n == nil) return 1;
  for (const Node* c : {n->left, n->right}) {
    if (c == nullptr) {
      error = "a child link is null instead of the sentinel";
      return -1;
    }
    if (c != nil && c->parent != n) {
      error = "a child's parent link does not point back";
      return -1;
    }
    if (!n->black && c != nil && !c->black) {
      error = "a red node has a red child";
      return -1;
    }
  }
  const int left = CheckSubtree(n->left, order, error);
  if (left < 0) return -1;
  order.push_back(n);
  const int right = CheckSubtree(n->right, order, error);
  if (right < 0) return -1;
  if (left != right) {
    error = "black heights differ";
    return -1;
  }
  if (n->size != n->left->size + n->right->size + 1) {
    error = "size is not size(left) + size(right) + 1";
    return -1;
  }
  return left + (n->black ? 1 : 0);
}

// Everything a tree must satisfy against the reference list of its nodes in
// rank order: structure, order, sizes, ranks, selection, ends, walks and
// FindFirst for every key in `probeKeys`.
void CheckTree(const RBTree& tree, const std::vector<Node*>& expected,
               const std::vector<double>& probeKeys) {
  const Node* nil = RBTree::Sentinel();
  ASSERT_TRUE(nil->black);
  ASSERT_EQ(nil->size, 0);
  const int n = static_cast<int>(expected.size());
  ASSERT_EQ(tree.Size(), n);

  const Node* root = tree.Root();
  if (n == 0) {
    EXPECT_EQ(root, nullptr);
  } else {
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->parent, nullptr);
    EXPECT_TRUE(root->black);
  }
  std::vector<const Node*> order;
  std::string error;
  if (root) {
    ASSERT_GE(CheckSubtree(root, order, error), 0) << error;
  }
  ASSERT_EQ(order.size(), expected.size());
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(order[i], expected[i]) << "in-order position " << i;
    ASSERT_EQ(tree.Rank(expected[i]), i);
    ASSERT_EQ(tree.At(i), expected[i]) << "rank " << i;
  }
  EXPECT_EQ(tree.At(-1), nullptr);
  EXPECT_EQ(tree.At(n), nullptr);
  EXPECT_EQ(tree.First(), n ? expected.front() : nullptr);
  EXPECT_EQ(tree.Last(), n ? expected.back() : nullptr);

  int i = 0;
  for (Node* p = tree.First(); p; p = tree.Next(p), ++i) ASSERT_EQ(p, expected[i]) << "Next walk";
  EXPECT_EQ(i, n);
  i = n;
  for (Node* p = tree.Last(); p; p = tree.Previous(p)) ASSERT_EQ(p, expected[--i]) << "Previous walk";
  EXPECT_EQ(i, 0);

  for (double key : probeKeys) {
    auto it = std::find_if(expected.begin(), expected.end(),
                           [key](const Node* p) { return SameKey(p->key, key); });
    EXPECT_EQ(tree.FindFirst(key), it == expected.end() ? nullptr : *it) << "FindFirst(" << key << ")";
  }
}

// The tree and, beside it, its nodes in the order they must have.
struct Model {
  RBTree tree;
  std::vector<Node*> nodes;
  int serial = 0;

  void Insert(double key) {
    const auto at = std::upper_bound(nodes.begin(), nodes.end(), key,
                                     [](double k, const Node* p) { return RefLess(k, p->key); });
    const int expectedRank = static_cast<int>(at - nodes.begin());
    ResultEntry* entry = EntryFor(serial++);
    Node* node = nullptr;
    ASSERT_EQ(tree.Insert(entry, key, &node), expectedRank) << "key " << key;
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->entry, entry);
    EXPECT_TRUE(SameKey(node->key, key));
    EXPECT_EQ(std::signbit(node->key), std::signbit(key));
    nodes.insert(at, node);
  }

  void EraseAt(int rank) {
    tree.Erase(nodes[rank]);
    nodes.erase(nodes.begin() + rank);
  }
};

}  // namespace

TEST(RBTree, EqualKeysRankInInsertionOrder) {
  RBTree tree;
  EXPECT_EQ(tree.Size(), 0);
  EXPECT_EQ(tree.Last(), nullptr);
  EXPECT_EQ(tree.First(), nullptr);
  EXPECT_EQ(tree.FindFirst(0.5), nullptr);
  EXPECT_EQ(tree.At(0), nullptr);

  Node* a = nullptr;
  Node* b = nullptr;
  Node* c = nullptr;
  EXPECT_EQ(tree.Insert(EntryFor(1), 0.5, &a), 0);
  EXPECT_EQ(tree.Insert(EntryFor(2), 0.7, &b), 1);
  EXPECT_EQ(tree.Insert(EntryFor(3), 0.7, &c), 2);
  EXPECT_EQ(tree.Last(), c);
  EXPECT_EQ(tree.FindFirst(0.7), b);
  EXPECT_EQ(tree.FindFirst(0.5), a);
  EXPECT_EQ(tree.FindFirst(0.6), nullptr);
  EXPECT_EQ(tree.Previous(a), nullptr);
  EXPECT_EQ(tree.Next(c), nullptr);
  CheckTree(tree, {a, b, c}, {0.5, 0.6, 0.7});

  // A key smaller than all goes first; one equal to the last goes after it.
  Node* d = nullptr;
  Node* e = nullptr;
  EXPECT_EQ(tree.Insert(EntryFor(4), 0.1, &d), 0);
  EXPECT_EQ(tree.Insert(EntryFor(5), 0.7, &e), 4);
  CheckTree(tree, {d, a, b, c, e}, {0.1, 0.5, 0.7});

  // Erasing the first of equal keys hands FindFirst to the next one.
  tree.Erase(b);
  EXPECT_EQ(tree.FindFirst(0.7), c);
  EXPECT_EQ(tree.Rank(e), 3);
  CheckTree(tree, {d, a, c, e}, {0.1, 0.5, 0.7});
}

// A NaN key sorts after every number, whatever the shape of the tree; NaNs
// among themselves keep insertion order and FindFirst(NaN) finds the first.
TEST(RBTree, NaNKeysSortLast) {
  Model m;
  for (double key : {1.0, kNaN, 0.5, kNaN, 2.0, kInf, -kInf, kNaN, 1.5}) {
    m.Insert(key);
    if (HasFatalFailure()) return;
  }
  // 6 numbers, then the three NaNs in insertion order.
  EXPECT_TRUE(std::isnan(m.tree.At(6)->key));
  EXPECT_EQ(m.tree.At(6)->entry, EntryFor(1));
  EXPECT_EQ(m.tree.FindFirst(kNaN), m.tree.At(6));
  EXPECT_EQ(m.tree.Last()->entry, EntryFor(7));
  EXPECT_EQ(m.tree.At(5)->key, kInf);
  CheckTree(m.tree, m.nodes, {kNaN, kInf, -kInf, 1.0, 2.0, 3.0});
}

// Monotone and constant key sequences drive the fix-ups down one side again
// and again; each insertion order is followed by each kind of removal.
TEST(RBTree, SkewedInsertionsAndRemovals) {
  const int n = 300;
  struct Keys {
    const char* name;
    std::function<double(int)> key;
  };
  const Keys keyTable[] = {
      {"ascending", [](int i) { return double(i); }},
      {"descending", [](int i) { return double(-i); }},
      {"all equal", [](int) { return 0.25; }},
      {"zigzag", [](int i) { return i % 2 ? double(i) : double(-i); }},
      {"two values", [](int i) { return double(i % 2); }},
  };
  struct Removal {
    const char* name;
    std::function<int(const RBTree&)> pick;  // rank of the node to erase
  };
  const Removal removalTable[] = {
      {"first", [](const RBTree&) { return 0; }},
      {"last", [](const RBTree& t) { return t.Size() - 1; }},
      {"middle", [](const RBTree& t) { return t.Size() / 2; }},
      {"root", [](const RBTree& t) { return t.Rank(t.Root()); }},
  };
  for (const Keys& keys : keyTable) {
    for (const Removal& removal : removalTable) {
      SCOPED_TRACE(std::string(keys.name) + " keys, removing " + removal.name);
      Model m;
      std::vector<double> probes;
      for (int i = 0; i < n; ++i) {
        m.Insert(keys.key(i));
        probes.push_back(keys.key(i));
        if (HasFatalFailure()) return;
      }
      CheckTree(m.tree, m.nodes, probes);
      if (HasFatalFailure()) return;
      while (m.tree.Size() > 0) {
        m.EraseAt(removal.pick(m.tree));
        // Full checks at a few sizes; the structure after every step.
        const int size = m.tree.Size();
        CheckTree(m.tree, m.nodes, size % 50 == 0 ? probes : std::vector<double>{});
        if (HasFatalFailure()) return;
      }
    }
  }
}

// Random inserts and erases with many repeated keys (and -0, infinities and
// NaN among them) against a plainly sorted list, checked after every step.
TEST(RBTree, RandomOperationsMatchSortedList) {
  std::mt19937 rng(20240611u);
  const std::vector<double> pool = {-1.0, -0.0, 0.0, 0.25, 0.5, 0.7, 1.0, kInf, -kInf, kNaN};
  std::uniform_int_distribution<int> pickPool(0, static_cast<int>(pool.size()) - 1);
  std::uniform_real_distribution<double> anyKey(-2.0, 2.0);
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  std::vector<double> probes = pool;
  probes.push_back(0.3);

  Model m;
  int inserts = 0, erases = 0;
  for (int cycle = 0; cycle < 4; ++cycle) {
    // Grow to a peak, then shrink to empty, with both operations mixed in.
    const int peak = 60 + 150 * cycle;
    for (bool growing : {true, false}) {
      const double insertChance = growing ? 0.7 : 0.3;
      while (growing ? m.tree.Size() < peak : m.tree.Size() > 0) {
        if (m.tree.Size() == 0 || chance(rng) < insertChance) {
          const double key = chance(rng) < 0.8 ? pool[pickPool(rng)] : anyKey(rng);
          m.Insert(key);
          if (std::find(probes.begin(), probes.end(), key) == probes.end() && probes.size() < 40) {
            probes.push_back(key);
          }
          ++inserts;
        } else {
          std::uniform_int_distribution<int> pickRank(0, m.tree.Size() - 1);
          m.EraseAt(pickRank(rng));
          ++erases;
        }
        CheckTree(m.tree, m.nodes, probes);
        if (HasFatalFailure()) {
          ADD_FAILURE() << "after " << inserts << " inserts and " << erases << " erases";
          return;
        }
      }
    }
  }
}

TEST(RBTree, ClearEmptiesTheTreeForReuse) {
  Model m;
  for (int i = 0; i < 100; ++i) m.Insert(double(i % 7));
  m.tree.Clear();
  m.nodes.clear();
  CheckTree(m.tree, m.nodes, {0.0, 3.0});
  m.tree.Clear();  // clearing an empty tree is harmless
  m.Insert(3.0);
  m.Insert(1.0);
  m.Insert(3.0);
  CheckTree(m.tree, m.nodes, {1.0, 3.0});
}
