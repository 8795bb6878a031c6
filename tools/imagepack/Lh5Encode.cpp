#include "tools/imagepack/Lh5Encode.h"

#include <algorithm>
#include <utility>

#include "tools/imagepack/HuffmanCodeLengths.h"

namespace {

constexpr int kDictBits = 13;
constexpr size_t kMaxDistance =
    (size_t{1} << kDictBits) - 1;  // keep clear of the slot being written
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 256;
constexpr int kNC = 256 + kMaxMatch - kMinMatch + 1;  // literals and match lengths
constexpr int kNT = 19;                               // code-length alphabet
constexpr int kNP = kDictBits + 1;                    // distance classes
constexpr int kCBits = 9;
constexpr int kTBits = 5;
constexpr int kPBits = 4;
constexpr int kTSpecial = 3;  // after the third code length a 2-bit count of zero lengths follows
constexpr int kMaxCodeBits = 16;
constexpr size_t kMaxBlockCommands = 0xFFFF;  // the block header counts commands in 16 bits
constexpr int kHashBits = 15;
constexpr int kMaxChain = 128;  // candidates tried per position: bounds time on noisy pictures

class BitWriter {
 public:
  void Put(int bits, uint32_t value) {
    for (int i = bits - 1; i >= 0; --i) {
      acc_ = static_cast<uint8_t>(acc_ << 1 | ((value >> i) & 1));
      if (++used_ == 8) {
        out_.push_back(acc_);
        acc_ = 0;
        used_ = 0;
      }
    }
  }
  std::vector<uint8_t> Finish() {
    if (used_ > 0) Put(8 - used_, 0);
    return std::move(out_);
  }

 private:
  std::vector<uint8_t> out_;
  uint8_t acc_ = 0;
  int used_ = 0;
};

// A Huffman code over one alphabet. With fewer than two symbols in use the stream names the
// one symbol instead of a table, and that symbol then costs no bits at all.
struct Code {
  std::vector<uint8_t> length;
  std::vector<uint16_t> bits;
  int single = -1;

  void Put(BitWriter& w, int symbol) const {
    if (single < 0) w.Put(length[symbol], bits[symbol]);
  }
};

Code MakeCode(const std::vector<uint32_t>& freq) {
  Code code;
  int used = 0;
  int last = 0;
  for (size_t s = 0; s < freq.size(); ++s)
    if (freq[s] > 0) {
      ++used;
      last = static_cast<int>(s);
    }
  if (used < 2) {
    code.single = last;
    return code;
  }
  code.length = HuffmanCodeLengths(freq, kMaxCodeBits);
  // Canonical assignment: shorter codes first, equal lengths in symbol order.
  uint32_t count[kMaxCodeBits + 2] = {};
  for (uint8_t len : code.length)
    ++count[len];
  count[0] = 0;
  uint32_t start[kMaxCodeBits + 2] = {};
  for (int len = 1; len <= kMaxCodeBits; ++len)
    start[len + 1] = (start[len] + count[len]) << 1;
  code.bits.resize(freq.size());
  for (size_t s = 0; s < freq.size(); ++s)
    if (code.length[s] > 0) code.bits[s] = static_cast<uint16_t>(start[code.length[s]]++);
  return code;
}

// Lengths of the code-length and distance tables: 3 bits each, 7 and up continued in unary.
void WriteShortTable(BitWriter& w, const Code& code, int countBits, int special) {
  if (code.single >= 0) {
    w.Put(countBits, 0);
    w.Put(countBits, static_cast<uint32_t>(code.single));
    return;
  }
  int n = static_cast<int>(code.length.size());
  while (n > 0 && code.length[n - 1] == 0)
    --n;
  w.Put(countBits, static_cast<uint32_t>(n));
  int i = 0;
  while (i < n) {
    const int len = code.length[i++];
    if (len <= 6) {
      w.Put(3, static_cast<uint32_t>(len));
    } else {
      w.Put(len - 3, (1u << (len - 3)) - 2);
    }
    if (i == special) {
      int zeros = 0;
      while (i < 6 && i < n && code.length[i] == 0) {
        ++i;
        ++zeros;
      }
      w.Put(2, static_cast<uint32_t>(zeros));
    }
  }
}

// One token of the literal/length table's lengths, in the code-length alphabet: 0 one zero,
// 1 a run of 3 to 18 zeros, 2 a run of 20 or more, k + 2 a length k.
struct LengthToken {
  uint8_t symbol;
  uint8_t extraBits;
  uint16_t extra;
};

std::vector<LengthToken> TokeniseLengths(const std::vector<uint8_t>& length, int n) {
  std::vector<LengthToken> tokens;
  int i = 0;
  while (i < n) {
    const int len = length[i++];
    if (len != 0) {
      tokens.push_back({static_cast<uint8_t>(len + 2), 0, 0});
      continue;
    }
    int run = 1;
    while (i < n && length[i] == 0) {
      ++i;
      ++run;
    }
    if (run <= 2) {
      for (int k = 0; k < run; ++k)
        tokens.push_back({0, 0, 0});
    } else if (run <= 18) {
      tokens.push_back({1, 4, static_cast<uint16_t>(run - 3)});
    } else if (run == 19) {
      tokens.push_back({0, 0, 0});
      tokens.push_back({1, 4, 15});
    } else {
      tokens.push_back({2, kCBits, static_cast<uint16_t>(run - 20)});
    }
  }
  return tokens;
}

struct Command {
  uint16_t symbol;    // byte value, or 256 + match length - 3
  uint16_t distance;  // for matches: how far back the copy starts, 1 to kMaxDistance
};

int DistanceClass(uint32_t offset) {
  int c = 0;
  while (offset != 0) {
    offset >>= 1;
    ++c;
  }
  return c;
}

void WriteBlock(BitWriter& w, const Command* cmd, size_t count) {
  std::vector<uint32_t> cFreq(kNC, 0);
  std::vector<uint32_t> pFreq(kNP, 0);
  for (size_t i = 0; i < count; ++i) {
    ++cFreq[cmd[i].symbol];
    if (cmd[i].symbol >= 256) ++pFreq[DistanceClass(cmd[i].distance - 1u)];
  }
  const Code c = MakeCode(cFreq);
  const Code p = MakeCode(pFreq);

  w.Put(16, static_cast<uint32_t>(count));
  if (c.single >= 0) {
    w.Put(kTBits, 0);
    w.Put(kTBits, 0);
    w.Put(kCBits, 0);
    w.Put(kCBits, static_cast<uint32_t>(c.single));
  } else {
    int n = kNC;
    while (n > 0 && c.length[n - 1] == 0)
      --n;
    const std::vector<LengthToken> tokens = TokeniseLengths(c.length, n);
    std::vector<uint32_t> tFreq(kNT, 0);
    for (const LengthToken& t : tokens)
      ++tFreq[t.symbol];
    const Code t = MakeCode(tFreq);
    WriteShortTable(w, t, kTBits, kTSpecial);
    w.Put(kCBits, static_cast<uint32_t>(n));
    for (const LengthToken& token : tokens) {
      t.Put(w, token.symbol);
      if (token.extraBits > 0) w.Put(token.extraBits, token.extra);
    }
  }
  WriteShortTable(w, p, kPBits, -1);

  for (size_t i = 0; i < count; ++i) {
    c.Put(w, cmd[i].symbol);
    if (cmd[i].symbol < 256) continue;
    const uint32_t offset = cmd[i].distance - 1u;
    const int cls = DistanceClass(offset);
    p.Put(w, cls);
    if (cls > 1) w.Put(cls - 1, offset & ((1u << (cls - 1)) - 1));
  }
}

struct Match {
  size_t length = 0;
  size_t distance = 0;
};

// Hash chains over three-byte prefixes; every position is entered once, in order.
class MatchFinder {
 public:
  MatchFinder(const uint8_t* data, size_t size)
      : data_(data), size_(size), head_(size_t{1} << kHashBits, -1), prev_(size, -1) {}

  void Insert(size_t pos) {
    if (pos + kMinMatch > size_) return;
    const size_t h = Hash(pos);
    prev_[pos] = head_[h];
    head_[h] = static_cast<long>(pos);
  }

  Match Find(size_t pos) const {
    Match best;
    if (pos + kMinMatch > size_) return best;
    const size_t limit = std::min(kMaxMatch, size_ - pos);
    int chain = kMaxChain;
    for (long cand = head_[Hash(pos)]; cand >= 0 && chain-- > 0; cand = prev_[cand]) {
      const size_t c = static_cast<size_t>(cand);
      if (pos - c > kMaxDistance) break;
      if (data_[c + best.length] != data_[pos + best.length]) continue;
      size_t len = 0;
      while (len < limit && data_[c + len] == data_[pos + len])
        ++len;
      if (len > best.length) {
        best.length = len;
        best.distance = pos - c;
        if (len == limit) break;
      }
    }
    if (best.length < kMinMatch) best.length = 0;
    return best;
  }

 private:
  size_t Hash(size_t pos) const {
    const uint8_t* p = data_ + pos;
    return ((size_t{p[0]} << 10) ^ (size_t{p[1]} << 5) ^ p[2]) & ((size_t{1} << kHashBits) - 1);
  }

  const uint8_t* data_;
  size_t size_;
  std::vector<long> head_;
  std::vector<long> prev_;
};

// Greedy parse with one step of look-ahead: a match is put off by a literal when the next
// position starts a longer one.
std::vector<Command> Parse(const uint8_t* data, size_t size) {
  std::vector<Command> cmds;
  MatchFinder finder(data, size);
  size_t pos = 0;
  Match cur = finder.Find(0);
  while (pos < size) {
    finder.Insert(pos);
    if (cur.length == 0) {
      cmds.push_back({data[pos], 0});
      cur = finder.Find(++pos);
      continue;
    }
    const Match next = finder.Find(pos + 1);
    if (next.length > cur.length) {
      cmds.push_back({data[pos], 0});
      ++pos;
      cur = next;
      continue;
    }
    cmds.push_back(
        {static_cast<uint16_t>(256 + cur.length - kMinMatch), static_cast<uint16_t>(cur.distance)});
    for (size_t k = 1; k < cur.length; ++k)
      finder.Insert(pos + k);
    pos += cur.length;
    cur = finder.Find(pos);
  }
  return cmds;
}

}  // namespace

std::vector<uint8_t> Lh5Encode(const uint8_t* data, size_t size) {
  const std::vector<Command> cmds = Parse(data, size);
  BitWriter w;
  for (size_t first = 0; first < cmds.size(); first += kMaxBlockCommands)
    WriteBlock(w, cmds.data() + first, std::min(kMaxBlockCommands, cmds.size() - first));
  return w.Finish();
}
