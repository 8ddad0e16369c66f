// The Portuguese word lists, as ISO 8859-1 bytes (octal escapes stand for
// the accented letters and the ordinal signs).

#include "language/word_lists.h"

namespace kernova::language::portuguese_words {

// Function words that never count when sentences are scored, compared with
// a query or condensed.
constexpr std::string_view kStopwords[] = {
    "-", "a", "\340", "ah", "ai", "algo", "algu\351m", "algum", "alguma", "algumas", "alguns", "al\364",
    "ambos", "ante", "ao", "apenas", "ap\363s", "aquela", "aquelas", "aquele", "aqueles", "aquilo", "as",
    "at\351", "bis", "cada", "certa", "certas", "certo", "certos", "chi", "com", "comigo", "conforme",
    "conosco", "consigo", "contigo", "contra", "convosco", "cuja", "cujas", "cujo", "cujos", "da", "das",
    "de", "dela", "delas", "dele", "deles", "desde", "dessa", "dessas", "desse", "desses", "disso", "desta",
    "destas", "deste", "destes", "disto", "daquela", "daquelas", "daquele", "daqueles", "daquilo", "do",
    "dos", "e", "eia", "ela", "elas", "ele", "eles", "em", "embora", "enquanto", "entre", "essa", "essas",
    "esse", "esses", "esta", "este", "estes", "estou", "eu", "hem", "hum", "ih", "isso", "isto", "lhe",
    "lhes", "logo", "mais", "mas", "me", "menos", "mesma", "mesmas", "mesmo", "mesmos", "meu", "meus", "mim",
    "minha", "minhas", "muita", "muitas", "muito", "muitos", "na", "nada", "nas", "nela", "nelas", "nele",
    "neles", "nem", "nenhum", "nenhuma", "nenhumas", "nenhuns", "ningu\351m", "no", "nos", "n\363s", "nossa",
    "nossas", "nosso", "nossos", "nessa", "nessas", "nesse", "nesses", "nisso", "nesta", "nestas", "neste",
    "nestes", "nisto", "naquela", "naquelas", "naquele", "naqueles", "naquilo", "o", "\363", "\364", "oba",
    "oh", "ol\341", "onde", "opa", "ora", "os", "ou", "outra", "outras", "outrem", "outro", "outros", "para",
    "per", "perante", "pois", "por", "por\351m", "porque", "portanto", "pouca", "poucas", "pouco", "poucos",
    "pr\363prios", "psit", "psiu", "quais", "quaisquer", "qual", "qualquer", "quando", "quanta", "quantas",
    "quanto", "quantos", "que", "quem", "se", "sem", "seu", "seus", "si", "sob", "sobre", "sua", "suas",
    "talvez", "tanta", "tantas", "tanto", "tantos", "te", "teu", "teus", "ti", "toda", "todas", "todo",
    "todos", "tr\341s", "tu", "tua", "tuas", "tudo", "u\351", "uh", "ui", "um", "uma", "umas", "uns",
    "v\341ria", "v\341rias", "v\341rio", "v\341rios", "voc\352", "v\363s", "vossa", "vossas", "vosso",
    "vossos",
};

// Words that may stand in front of a period without ending the sentence.
constexpr std::string_view kAbbreviations[] = {
    "a", "aa", "abr", "abrev", "adv", "ago", "al", "alm", "alq", "ant", "ap", "aprox", "apto", "arc", "arceb",
    "art", "ass", "at", "av", "bpo", "brig", "c", "cal\347", "cap", "caps", "car", "card", "cb", "cel", "cf",
    "cia", "cient", "cm", "c\363d", "com", "comte", "c\364n", "conj", "cons", "cont", "cr\351d", "cx", "d",
    "d\252", "db", "dd", "ddd", "d\351b", "dec", "def", "dep", "deps", "depto", "deptos", "desc", "desemb",
    "dez", "dipl", "dir", "doc", "docs", "dr", "dra", "dr\252", "dras", "dr\252s", "drs", "dupl", "dz", "ed",
    "educ", "eletr", "eletr\364n", "ema", "em\252", "emas", "em\252s", "emb", "end", "eng", "esq", "estr",
    "etc", "ex", "exa", "ex\252", "exas", "ex\252s", "excl", "exmo", "f", "fat", "fev", "fig", "fl", "fls",
    "f\272", "fob", "fr", "funai", "g", "gal", "ge", "gen", "grav", "h", "ha", "hab", "he", "hz", "ib",
    "ibid", "ilma", "ilm\252", "ilmas", "ilm\252s", "ilmo", "ilmos", "inc", "ind", "inst", "int", "jan", "jd",
    "jr", "jul", "jun", "k", "kg", "khz", "km", "l", "ling", "lit", "ltda", "m", "maga", "mag\252", "magas",
    "mag\252s", "maj", "mal", "mar", "m\341x", "me", "m\351d", "min", "m\355n", "ml", "mm", "mn", "mons",
    "m\372s", "n", "nac", "neg", "n\272", "no", "nom", "norm", "nov", "obs", "of", "op", "org", "orig", "out",
    "p", "p\341g", "p\341gs", "p\347", "pe", "pg", "pl", "pol", "pp", "pq", "pr", "pref", "pres", "prof",
    "profa", "prof\252", "profas", "prof\252s", "profs", "psic", "ql", "r", "ra", "rel", "remte", "rev",
    "revdo", "revma", "revmo", "revm\272", "revmos", "revm\272s", "s", "sa", "s\252", "sac", "sarg", "sas",
    "s\252s", "s\351c", "s\351cs", "seg", "segs", "set", "sr", "sra", "sr\252", "sras", "sr\252s", "srs",
    "srta", "srt\252", "srtas", "srt\252s", "ss", "sta", "sto", "suj", "t", "tel", "tels", "temp", "ten",
    "trav", "tv", "univ", "v", "v\252", "vig", "vol", "vols", "vv",
};

constexpr std::span<const std::string_view> stopwords{kStopwords};
constexpr std::span<const std::string_view> abbreviations{kAbbreviations};

}  // namespace kernova::language::portuguese_words
