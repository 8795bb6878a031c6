#include "tools/imagepack/HuffmanCodeLengths.h"

#include <algorithm>
#include <queue>
#include <utility>

std::vector<uint8_t> HuffmanCodeLengths(std::vector<uint32_t> freq, int maxBits) {
  const size_t n = freq.size();
  for (;;) {
    std::vector<int> parent(2 * n, -1);
    using Node = std::pair<uint64_t, int>;  // weight, node; ties go to the lower node
    std::priority_queue<Node, std::vector<Node>, std::greater<Node>> heap;
    for (size_t s = 0; s < n; ++s)
      if (freq[s] > 0) heap.push({freq[s], static_cast<int>(s)});
    int next = static_cast<int>(n);
    while (heap.size() > 1) {
      const Node a = heap.top();
      heap.pop();
      const Node b = heap.top();
      heap.pop();
      parent[a.second] = next;
      parent[b.second] = next;
      heap.push({a.first + b.first, next++});
    }
    std::vector<uint8_t> length(n, 0);
    int deepest = 0;
    for (size_t s = 0; s < n; ++s) {
      if (freq[s] == 0) continue;
      int depth = 0;
      for (int p = parent[s]; p >= 0; p = parent[p])
        ++depth;
      depth = std::max(depth, 1);
      length[s] = static_cast<uint8_t>(depth);
      deepest = std::max(deepest, depth);
    }
    if (deepest <= maxBits) return length;
    // Too deep: flatten the frequencies and build again. Halving brings the rarest symbols
    // closer to the common ones, so the tree gets shallower with each round.
    bool flattened = false;
    for (uint32_t& f : freq)
      if (f > 1) {
        f = (f + 1) / 2;
        flattened = true;
      }
    if (!flattened) return length;  // all equal already: maxBits is too small for n symbols
  }
}
