#include "expr/OperationTable.h"

#include "expr/Element.h"

namespace {
template <class Node>
std::unique_ptr<Element> Make() {
  return std::make_unique<Node>();
}
}  // namespace

const Operation OperationTable[kOperationCount] = {
    //  name    prio  rAssoc arity create          isOp   assoc
    {"-", 6, true, 1, &Make<ElNeg>, true, true},
    {"^", 5, false, 2, &Make<ElPow>, true, false},
    {"*", 4, false, 2, &Make<ElMult>, true, true},
    {"/", 4, false, 2, &Make<ElDiv>, true, false},
    {"+", 3, false, 2, &Make<ElPlus>, true, true},
    {"-", 3, false, 2, &Make<ElMinus>, true, false},
    {"sin", 2, false, 1, &Make<ElSin>, false, false},
    {"cos", 2, false, 1, &Make<ElCos>, false, false},
    {"tan", 2, false, 1, &Make<ElTan>, false, false},
    {"asin", 2, false, 1, &Make<ElASin>, false, false},
    {"acos", 2, false, 1, &Make<ElACos>, false, false},
    {"atan", 2, false, 1, &Make<ElATan>, false, false},
    {"sqrt", 2, false, 1, &Make<ElSqrt>, false, false},
    {"exp", 2, false, 1, &Make<ElExp>, false, false},
    {"log", 2, false, 1, &Make<ElLog>, false, false},
    {"ln", 2, false, 1, &Make<ElLn>, false, false},
    {"(", 1, false, 0, nullptr, false, false},
    {")", 1, false, 0, nullptr, false, false},
    {",", 0, false, 0, nullptr, false, false},
    {"", 0, false, 1, nullptr, false, false},
};
