#pragma once
// The order-statistics red-black tree over the stored results, keyed by
// fitness. It gives every result its rank, which is its row on the Results
// page when that page is sorted by fitness, in O(log n) without re-sorting.

#include <cstdint>

struct ResultEntry;

/// Nodes in ascending key order from left to right; a new key goes after every
/// equal key already present, so among equal keys the most recently inserted
/// node has the highest rank. The rank of a node is the number of nodes before
/// it (from 0). Every node knows the size of its subtree, which makes Insert,
/// Erase, Rank and At O(log n).
///
/// Keys are compared with `>`. A NaN key sorts after every number: a new NaN
/// goes to the right end (no key is greater than it) and a new number goes to
/// the left of a NaN node, so the order stays total and does not depend on the
/// shape of the tree. NaN keys among themselves keep insertion order, and
/// FindFirst(NaN) finds the first of them.
///
/// Used by the main thread only; the tree never dereferences the entries it
/// points to. The shared sentinel is never written, so trees in different
/// threads do not interfere with each other.
class RBTree {
 public:
  struct Node {
    Node* parent = nullptr;  ///< null for the root
    Node* left = nullptr;    ///< Sentinel() when absent
    Node* right = nullptr;   ///< Sentinel() when absent
    std::uint32_t black = 0; ///< colour: 1 black, 0 red
    std::int32_t size = 0;   ///< nodes in the subtree rooted here (the sentinel: 0)
    ResultEntry* entry = nullptr;  ///< the result (not owned)
    double key = 0.0;        ///< the entry's fitness when the node was inserted
  };

  RBTree();
  /// Deletes every node (not the entries).
  ~RBTree();
  RBTree(const RBTree&) = delete;
  RBTree& operator=(const RBTree&) = delete;

  /// Adds a node for `entry` after every node whose key is not greater than
  /// `key` and returns its rank; `*inserted` receives the node when given.
  /// The node stays valid (and keeps its address) until it is erased or the
  /// tree is cleared, whatever else is inserted or erased.
  int Insert(ResultEntry* entry, double key, Node** inserted = nullptr);
  /// Removes `node`, a node of this tree, and deletes it (not its entry). The
  /// other nodes keep their addresses; the ranks of those after it drop by one.
  void Erase(Node* node);
  /// Deletes every node (not the entries); the tree is empty afterwards.
  void Clear();

  int Size() const { return root->size; }
  /// Number of nodes before `node`, a node of this tree.
  int Rank(const Node* node) const;
  /// The node of rank `rank`; null when `rank` is not in [0, Size()).
  Node* At(int rank) const;
  /// The node of rank 0; null when empty.
  Node* First() const;
  /// The node with the largest key and, among equal keys, the highest rank;
  /// null when empty.
  Node* Last() const;
  /// The neighbours of `node`, a node of this tree, in rank order; null past
  /// the ends.
  Node* Previous(Node* node) const;
  Node* Next(Node* node) const;
  /// The lowest-ranked node whose key equals `key`, or null. O(log n) also
  /// when many keys are equal.
  Node* FindFirst(double key) const;

  /// The root, null when empty; for walking or checking the structure.
  const Node* Root() const;
  /// The shared black node of size 0 that stands for every absent child in
  /// the `left` and `right` fields of the nodes.
  static const Node* Sentinel();

 private:
  void RotateLeft(Node* x);
  void RotateRight(Node* x);
  void FixAfterInsert(Node* z);
  void FixAfterErase(Node* x, Node* xParent);
  void Replace(Node* old, Node* by);

  Node* root;
};
