// ROUGE scores of a candidate summary against one reference summary.
//
// Tokens are maximal runs of word characters, lower-cased. The text is
// UTF-8; a byte that starts no valid UTF-8 sequence stands for the ISO
// 8859-1 character of the same code. Word characters: ASCII letters,
// digits and '_'; the Latin-1 letters and the signs ª º µ ¹ ² ³ ¼ ½ ¾; and
// every character above U+00FF outside the blocks of combining marks,
// punctuation, symbols, spaces, private use and emoji. Lower case: ASCII,
// Latin-1, Latin Extended-A, and the basic Greek and Cyrillic capitals.
//
// ROUGE-N counts the n-grams the two token lists share, each at most as
// often as in either (clipped); ROUGE-L takes the longest common
// subsequence of the two lists as wholes. Recall divides by the
// reference's count, precision by the candidate's, and F is their harmonic
// mean (0 when both are 0).
#ifndef KERNOVA_ROUGE_ROUGE_H_
#define KERNOVA_ROUGE_ROUGE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kernova::rouge {

// Replaces `out` with the stem of `word` (ISO 8859-1 bytes).
using StemFunction = void (*)(std::string_view word, std::string& out);

// The tokens of `text`, lower-cased, in UTF-8. With `stem`, a token whose
// characters are all in ISO 8859-1 is replaced by its stem.
std::vector<std::string> tokens(std::string_view text, StemFunction stem = nullptr);

struct Score {
  double recall = 0.0;
  double precision = 0.0;
  double f = 0.0;
};

struct Scores {
  Score rouge1;
  Score rouge2;
  Score rouge_l;
};

// The scores of `candidate` against `reference`. Cost: linear for ROUGE-1
// and ROUGE-2, the product of the two lengths for ROUGE-L.
Scores score(const std::vector<std::string>& candidate, const std::vector<std::string>& reference);

// The first `words` tokens of `candidate` (all of them when it has fewer).
void cut(std::vector<std::string>& candidate, std::size_t words);

// Each figure averaged over `scores` (all 0 for none).
Scores average(const std::vector<Scores>& scores);

}  // namespace kernova::rouge

#endif  // KERNOVA_ROUGE_ROUGE_H_
