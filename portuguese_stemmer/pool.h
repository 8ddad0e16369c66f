// The irregular verb forms of Portuguese and the pool that finds them.
//
// Forms are written in the stemmer's internal coding: lower-case ASCII
// letters, 'A' 'E' 'I' 'O' 'U' for vowels with an acute, grave or circumflex
// accent, 'C' for c-cedilla, and 'N' after 'a' or 'o' for the tilde.
#ifndef KERNOVA_PORTUGUESE_STEMMER_POOL_H_
#define KERNOVA_PORTUGUESE_STEMMER_POOL_H_

#include <array>
#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

namespace kernova::portuguese_stemmer {

// One verb: the stem to return and its forms, each form followed by '/'
// (the last one too).
struct irregular_row {
  std::string_view translation;
  std::string_view forms;
};

// The commonest irregular verbs: 12 rows, 202 distinct forms of 1 to 12
// characters ("E" to "estivEssemos").
inline constexpr std::array<irregular_row, 12> irregular_forms = {{
    {"dar",
     "dou/dA/damos/daNo/dei/deu/demos/deram/dera/dEramos/dE/dEem/desse/dEssemos/dessem/der/"
     "dermos/derem/"},
    {"diz",
     "digo/diz/dizemos/dizem/disse/dissemos/disseram/dissera/dissEramos/direi/dirA/diremos/"
     "diraNo/diria/dirIamos/diriam/"},
    {"est",
     "estar/estou/estA/estamos/estaNo/estive/esteve/estivemos/estiveram/estava/estAvamos/"
     "estavam/estivera/estivEramos/esteja/estejamos/estejam/estivesse/estivEssemos/"
     "estivessem/estiver/estivermos/estiverem/"},
    {"faz", "faCo/faz/fez/farei/farA/faremos/faraNo/faria/farIamos/fariam/faCa/faCamos/faCam/"},
    {"hav", "hei/hA/haNo/haja/hajamos/hajam/"},
    {"ir", "vou/vai/vamos/vaNo/vA/"},
    {"pod", "posso/pOde/possa/possamos/possam/"},
    {"sab", "sei/saiba/saibamos/saibam/"},
    {"ser",
     "sou/E/somos/saNo/era/Eramos/eram/fui/foi/fomos/foram/fora/fOramos/seja/sejamos/sejam/"
     "fosse/fOssemos/fossem/for/formos/forem/serei/serA/seremos/seraNo/seria/serIamos/"
     "seriam/"},
    {"ter",
     "tenho/tem/temos/tEm/tinha/tInhamos/tinham/tive/teve/tivemos/tiveram/tivera/tivEramos/"
     "tenha/tenhamos/tenham/tivesse/tivEssemos/tivessem/tiver/tivermos/tiverem/terei/terA/"
     "teremos/teraNo/teria/terIamos/teriam/"},
    {"ver",
     "vejo/vE/vemos/vEem/vi/viu/viram/vira/vIramos/veja/vejamos/vejam/visse/vIssemos/vissem/"
     "vir/virmos/virem/verei/verA/veremos/veraNo/veria/verIamos/veriam/"},
    {"vir",
     "venho/vem/vimos/vEm/vinha/vInhamos/vinham/vim/veio/viemos/vieram/viera/viEramos/venha/"
     "venhamos/venham/viesse/viEssemos/viessem/vier/viermos/vierem/virei/virA/viremos/"
     "viraNo/viria/virIamos/viriam/"},
}};

// One form of the pool. Both strings are borrowed from the table the pool
// was built from; the form is not terminated.
struct pool_entry {
  std::string_view translation;
  const char* pointer = nullptr;  // first character of the form
  int length = 0;                 // number of characters of the form

  std::string_view form() const { return {pointer, static_cast<std::size_t>(length)}; }
};

// Every form of a table, sorted by length and then byte-wise (unsigned).
// Read only once built; it borrows the table's strings, so the table must
// outlive it.
struct pool {
  std::vector<pool_entry> entries;

  int size() const { return static_cast<int>(entries.size()); }
};

// The number of '/' in all forms strings of `s`: the number of pool entries.
int count_slashes(std::span<const irregular_row> s);

// Builds the pool of table `s`. A forms string with characters after its
// last '/' writes "<forms> lacks final '/'\n" to `diagnostics` and throws
// kernova::Error with that same text. Each pair of equal neighbours after
// sorting writes "warning: <later entry> and <earlier entry>" (each entry as
// `print_entry` writes it) to `diagnostics`; both stay in the pool.
// Throws std::bad_alloc when memory runs out.
pool create_pool(std::span<const irregular_row> s, std::ostream& diagnostics);

// The order of the pool: true when `char_p` sorts strictly before `char_q`
// (shorter first; equal lengths by unsigned byte comparison).
bool compare(const pool_entry& char_p, const pool_entry& char_q);

// One pass of `sort`: merges run i (width `n` records) of the first half
// [p, q) with run i of the second half [q, l), for every run of the first
// half, writing the merged pairs one after another from `r`; then copies the
// rest of the second half. Takes the second half's record first when
// neither comes before the other. [p, l) and the destination must not
// overlap.
template <class T, class Before>
void merge(std::ptrdiff_t n, const T* p, const T* q, T* r, const T* l, Before f) {
  if (q > l) q = l;
  const T* second = q;
  for (const T* first = p; first < q;) {
    const T* first_end = q - first > n ? first + n : q;
    const T* second_end = l - second > n ? second + n : l;
    while (first < first_end && second < second_end) {
      *r++ = f(*first, *second) ? *first++ : *second++;
    }
    while (first < first_end) *r++ = *first++;
    while (second < second_end) *r++ = *second++;
  }
  while (second < l) *r++ = *second++;
}

// Sorts `records` with `f` (true when the first must come before the
// second) by a bottom-up merge sort whose passes merge the i-th run of the
// first half with the i-th run of the second half. Not stable: between
// equal records the later half wins. Uses one scratch copy of the range.
template <class T, class Before>
void sort(std::span<T> records, Before f) {
  const std::ptrdiff_t total = static_cast<std::ptrdiff_t>(records.size());
  if (total < 2) return;
  std::vector<T> scratch(records.size());
  T* data = records.data();
  T* copy = scratch.data();
  auto pass = [total, f](std::ptrdiff_t width, const T* from, T* to) {
    const std::ptrdiff_t runs = (total + width - 1) / width;
    const std::ptrdiff_t half = runs / 2 * width;
    merge(width, from, from + half, to, from + total, f);
  };
  // Passes come in pairs, so the sorted records end up back in `records`.
  for (std::ptrdiff_t width = 1; width < total; width *= 4) {
    pass(width, data, copy);
    pass(width * 2, copy, data);
  }
}

// Three-way comparison of the key `s` with the form `s_p`: the difference
// of the lengths (held within int's range) when they differ, else the sign
// of the unsigned byte comparison. Negative when the key sorts first.
int compare_to_pool(std::string_view s, std::string_view s_p);

// The translation of the form equal to `s`, or nothing. Only `s`'s own
// characters are read; at most ten comparisons for the shipped table.
std::optional<std::string_view> search_pool(const pool& p, std::string_view s);

// Writes the entry as "<form> --> <translation>\n".
void print_entry(const pool_entry& p, std::ostream& out);

// The pool of `irregular_forms`, built, sorted and checked on the first call
// in the process; read only afterwards, so any thread may use it.
const pool& irregular_pool();

}  // namespace kernova::portuguese_stemmer

#endif  // KERNOVA_PORTUGUESE_STEMMER_POOL_H_
