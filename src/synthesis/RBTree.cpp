#include "synthesis/RBTree.h"

#include <cmath>

namespace {

using Node = RBTree::Node;

// The absent child of every node of every tree. Only read: the deletion keeps
// the parent of a vacated position in a variable instead of in this node.
Node sentinelNode{nullptr, nullptr, nullptr, 1, 0, nullptr, 0.0};
Node* const kNil = &sentinelNode;

// True when key `a` sorts before key `b`: a smaller number, or a number
// before a NaN. Equal numbers and two NaNs are neither before nor after.
bool Before(double a, double b) {
  return b > a || (std::isnan(b) && !std::isnan(a));
}

Node* Leftmost(Node* n) {
  while (n->left != kNil) n = n->left;
  return n;
}

Node* Rightmost(Node* n) {
  while (n->right != kNil) n = n->right;
  return n;
}

void UpdateSize(Node* n) { n->size = n->left->size + n->right->size + 1; }

}  // namespace

RBTree::RBTree() : root(kNil) {}

RBTree::~RBTree() { Clear(); }

const RBTree::Node* RBTree::Sentinel() { return kNil; }

const RBTree::Node* RBTree::Root() const { return root == kNil ? nullptr : root; }

int RBTree::Insert(ResultEntry* entry, double key, Node** inserted) {
  Node* z = new Node;
  z->left = z->right = kNil;
  z->black = 0;
  z->size = 1;
  z->entry = entry;
  z->key = key;
  if (inserted) *inserted = z;

  if (root == kNil) {
    z->black = 1;
    root = z;
    return 0;
  }
  // Descend to the free place, counting every node that will be on the left
  // of the new one: a node and its left subtree each time the way turns right.
  int rank = 0;
  Node* cur = root;
  for (;;) {
    ++cur->size;
    if (Before(key, cur->key)) {
      if (cur->left == kNil) {
        cur->left = z;
        break;
      }
      cur = cur->left;
    } else {
      rank += cur->left->size + 1;
      if (cur->right == kNil) {
        cur->right = z;
        break;
      }
      cur = cur->right;
    }
  }
  z->parent = cur;
  FixAfterInsert(z);
  return rank;
}

void RBTree::Erase(Node* z) {
  // y: the node that leaves its position (z itself, or z's successor, which
  // then takes z's place, colour and size); x: the subtree that moves up into
  // the vacated position, xParent: the parent of that position.
  Node* x;
  Node* xParent;
  std::uint32_t removedBlack = z->black;
  if (z->left == kNil) {
    x = z->right;
    xParent = z->parent;
    Replace(z, x);
  } else if (z->right == kNil) {
    x = z->left;
    xParent = z->parent;
    Replace(z, x);
  } else {
    Node* y = Leftmost(z->right);
    removedBlack = y->black;
    x = y->right;
    if (y->parent == z) {
      xParent = y;
    } else {
      xParent = y->parent;
      Replace(y, x);
      y->right = z->right;
      y->right->parent = y;
    }
    Replace(z, y);
    y->left = z->left;
    y->left->parent = y;
    y->black = z->black;
    y->size = z->size;
  }
  for (Node* p = xParent; p; p = p->parent) --p->size;
  delete z;
  if (removedBlack) FixAfterErase(x, xParent);
}

void RBTree::Clear() {
  // Post-order without recursion: delete leaves, unlinking each from its parent.
  Node* n = root;
  while (n != kNil) {
    if (n->left != kNil) {
      n = n->left;
    } else if (n->right != kNil) {
      n = n->right;
    } else {
      Node* p = n->parent;
      if (p) (p->left == n ? p->left : p->right) = kNil;
      delete n;
      n = p ? p : kNil;
    }
  }
  root = kNil;
}

int RBTree::Rank(const Node* node) const {
  int r = node->left->size;
  for (const Node* n = node; n->parent; n = n->parent) {
    if (n == n->parent->right) r += n->parent->left->size + 1;
  }
  return r;
}

RBTree::Node* RBTree::At(int rank) const {
  if (rank < 0 || rank >= root->size) return nullptr;
  Node* cur = root;
  for (;;) {
    const int leftSize = cur->left->size;
    if (rank < leftSize) {
      cur = cur->left;
    } else if (rank == leftSize) {
      return cur;
    } else {
      rank -= leftSize + 1;
      cur = cur->right;
    }
  }
}

RBTree::Node* RBTree::First() const { return root == kNil ? nullptr : Leftmost(root); }

RBTree::Node* RBTree::Last() const { return root == kNil ? nullptr : Rightmost(root); }

RBTree::Node* RBTree::Next(Node* node) const {
  if (node->right != kNil) return Leftmost(node->right);
  while (node->parent && node == node->parent->right) node = node->parent;
  return node->parent;
}

RBTree::Node* RBTree::Previous(Node* node) const {
  if (node->left != kNil) return Rightmost(node->left);
  while (node->parent && node == node->parent->left) node = node->parent;
  return node->parent;
}

RBTree::Node* RBTree::FindFirst(double key) const {
  // Equal keys are contiguous in rank order: on an equal key remember it and
  // keep looking for an earlier one on the left.
  Node* found = nullptr;
  Node* cur = root;
  while (cur != kNil) {
    if (Before(key, cur->key)) {
      cur = cur->left;
    } else if (Before(cur->key, key)) {
      cur = cur->right;
    } else {
      found = cur;
      cur = cur->left;
    }
  }
  return found;
}

void RBTree::Replace(Node* old, Node* by) {
  Node* p = old->parent;
  if (!p) {
    root = by;
  } else if (old == p->left) {
    p->left = by;
  } else {
    p->right = by;
  }
  if (by != kNil) by->parent = p;
}

// x's right child y takes x's place and x becomes y's left child.
void RBTree::RotateLeft(Node* x) {
  Node* y = x->right;
  x->right = y->left;
  if (y->left != kNil) y->left->parent = x;
  Replace(x, y);
  y->left = x;
  x->parent = y;
  UpdateSize(x);
  UpdateSize(y);
}

// x's left child y takes x's place and x becomes y's right child.
void RBTree::RotateRight(Node* x) {
  Node* y = x->left;
  x->left = y->right;
  if (y->right != kNil) y->right->parent = x;
  Replace(x, y);
  y->right = x;
  x->parent = y;
  UpdateSize(x);
  UpdateSize(y);
}

void RBTree::FixAfterInsert(Node* z) {
  // A red parent is never the root, so the grandparent exists. Only red
  // nodes are recoloured to black, so the sentinel is never written.
  while (z->parent && !z->parent->black) {
    Node* p = z->parent;
    Node* g = p->parent;
    if (p == g->left) {
      Node* uncle = g->right;
      if (!uncle->black) {
        p->black = uncle->black = 1;
        g->black = 0;
        z = g;
      } else {
        if (z == p->right) {
          z = p;
          RotateLeft(z);
          p = z->parent;
        }
        p->black = 1;
        g->black = 0;
        RotateRight(g);
      }
    } else {
      Node* uncle = g->left;
      if (!uncle->black) {
        p->black = uncle->black = 1;
        g->black = 0;
        z = g;
      } else {
        if (z == p->left) {
          z = p;
          RotateRight(z);
          p = z->parent;
        }
        p->black = 1;
        g->black = 0;
        RotateLeft(g);
      }
    }
  }
  root->black = 1;
}

void RBTree::FixAfterErase(Node* x, Node* xParent) {
  // x carries an extra black. While x is not the root, xParent is its parent
  // and x's sibling w is a real node: its side has a black height of at least
  // one more than the sentinel's.
  while (x != root && x->black) {
    if (x == xParent->left) {
      Node* w = xParent->right;
      if (!w->black) {
        w->black = 1;
        xParent->black = 0;
        RotateLeft(xParent);
        w = xParent->right;
      }
      if (w->left->black && w->right->black) {
        w->black = 0;
        x = xParent;
        xParent = x->parent;
      } else {
        if (w->right->black) {
          w->left->black = 1;
          w->black = 0;
          RotateRight(w);
          w = xParent->right;
        }
        w->black = xParent->black;
        xParent->black = 1;
        w->right->black = 1;
        RotateLeft(xParent);
        x = root;
      }
    } else {
      Node* w = xParent->left;
      if (!w->black) {
        w->black = 1;
        xParent->black = 0;
        RotateRight(xParent);
        w = xParent->left;
      }
      if (w->left->black && w->right->black) {
        w->black = 0;
        x = xParent;
        xParent = x->parent;
      } else {
        if (w->left->black) {
          w->right->black = 1;
          w->black = 0;
          RotateLeft(w);
          w = xParent->left;
        }
        w->black = xParent->black;
        xParent->black = 1;
        w->left->black = 1;
        RotateRight(xParent);
        x = root;
      }
    }
  }
  if (x != kNil) x->black = 1;
}
