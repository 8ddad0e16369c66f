#include "frontend/command_line.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <optional>
#include <string_view>

#include "base/number.h"

#ifndef KERNOVA_VERSION
#error "KERNOVA_VERSION must be defined by the build"
#endif

namespace kernova::frontend {
namespace {

constexpr std::string_view kProgram = "kernova";

std::string usage_hint(const CLI::App* command) {
  std::string name(kProgram);
  if (command != nullptr) name += " " + command->get_name();
  return "Run '" + name + " --help' for usage.\n";
}

UsageError usage_error(const std::string& message, const CLI::App* command) {
  return UsageError{std::string(kProgram) + ": " + message + "\n" + usage_hint(command)};
}

// A value of an option chosen from a fixed list of names.
template <typename Value>
struct Choice {
  std::string_view name;
  Value value;
};

template <typename Value, std::size_t N>
std::string choice_names(const Choice<Value> (&choices)[N]) {
  std::string names;
  for (const Choice<Value>& choice : choices) {
    if (!names.empty()) names += ", ";
    names += choice.name;
  }
  return names;
}

constexpr Choice<api::Encoding> kEncodings[] = {
    {"auto", api::Encoding::kAutomatic}, {"latin1", api::Encoding::kLatin1}, {"utf8", api::Encoding::kUtf8}};
constexpr Choice<api::Method> kMethods[] = {
    {"classic", api::Method::kClassic}, {"centroid", api::Method::kCentroid}, {"best", api::kBestMethod}};
constexpr Choice<OutputFormat> kFormats[] = {
    {"text", OutputFormat::kText}, {"json", OutputFormat::kJson}, {"tsv", OutputFormat::kTsv}};

// Looks `name` up; the error names what was looked for ("language").
template <typename Value, std::size_t N>
std::variant<Value, UsageError> choose(const Choice<Value> (&choices)[N], const std::string& name,
                                       std::string_view what, const CLI::App* command) {
  for (const Choice<Value>& choice : choices) {
    if (choice.name == name) return choice.value;
  }
  return usage_error("unknown " + std::string(what) + " '" + name + "' (known: " + choice_names(choices) + ")",
                     command);
}

std::string language_codes() {
  std::string codes;
  for (const api::LanguageInfo& language : api::languages()) {
    if (!codes.empty()) codes += ", ";
    codes += language.code;
  }
  return codes;
}

// The language of code `code`; the error names the known codes.
std::variant<api::Language, UsageError> choose_language(const std::string& code, const CLI::App* command) {
  for (const api::LanguageInfo& language : api::languages()) {
    if (language.code == code) return language.language;
  }
  return usage_error("unknown language '" + code + "' (known: " + language_codes() + ")", command);
}

// CLI11 ends a help text with one line end or none, depending on the
// footer; the program prints exactly one.
std::string with_one_line_end(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text + "\n";
}

// A subcommand, with the line that describes it and the paragraph that
// ends its help.
CLI::App* add_command(CLI::App& app, const std::string& name, const std::string& description,
                      const std::string& footer) {
  CLI::App* command = app.add_subcommand(name, description);
  command->footer(footer);
  return command;
}

// The options of `kernova stem`, filled in by CLI11.
struct StemArguments {
  std::string lang;
  std::vector<std::string> files;
};

CLI::App* add_stem_command(CLI::App& app, StemArguments& arguments) {
  CLI::App* stem = add_command(app, "stem", "Stem words, one per line",
      "Reads one word per line from the named files, or from standard input when\n"
      "none is named, and writes each word's stem on a line of its own. Bytes are\n"
      "ISO 8859-1 (Latin-1); a CR LF pair ends a line like LF.");
  stem->add_option("--lang", arguments.lang, "Language of the words: " + language_codes())
      ->required()
      ->type_name("CODE");
  stem->add_option("files", arguments.files, "Files to read, in this order")->type_name("FILE");
  return stem;
}

// Checks what CLI11 cannot: that the chosen language is one of ours.
Invocation make_stem_command(StemArguments arguments, const CLI::App* stem) {
  const auto language = choose_language(arguments.lang, stem);
  if (const auto* error = std::get_if<UsageError>(&language)) return *error;
  return Command{StemOptions{std::get<api::Language>(language), std::move(arguments.files)}};
}

// The options that say how a text is read, shared by split and summarize.
struct ReadArguments {
  std::string lang = "en";
  std::string encoding = "auto";
  bool unwrap = false;
};

void add_read_options(CLI::App* command, ReadArguments& arguments) {
  command->add_option("--lang", arguments.lang, "Language of the text: " + language_codes() + " (default en)")
      ->type_name("CODE");
  command
      ->add_option("--encoding", arguments.encoding,
                   "Encoding of the text: " + choice_names(kEncodings) +
                       " (default auto: UTF-8 when the text is valid UTF-8 and not ASCII, else ISO 8859-1)")
      ->type_name("NAME");
  command->add_flag("--unwrap", arguments.unwrap,
                    "Join the lines of a paragraph that the text wraps (a blank line still ends it)");
}

std::variant<api::ReadOptions, UsageError> make_read_options(const ReadArguments& arguments,
                                                             const CLI::App* command) {
  api::ReadOptions read;
  auto language = choose_language(arguments.lang, command);
  if (auto* error = std::get_if<UsageError>(&language)) return *error;
  auto encoding = choose(kEncodings, arguments.encoding, "encoding", command);
  if (auto* error = std::get_if<UsageError>(&encoding)) return *error;
  read.language = std::get<api::Language>(language);
  read.encoding = std::get<api::Encoding>(encoding);
  read.unwrap = arguments.unwrap;
  return read;
}

struct SplitArguments {
  ReadArguments read;
  std::string file;
};

CLI::App* add_split_command(CLI::App& app, SplitArguments& arguments) {
  CLI::App* split = add_command(app, "split", "Cut a text into sentences, one per line",
      "Reads the named file, or standard input when none is named or the name is\n"
      "'-', and writes its sentences to standard output, one per line, in the\n"
      "text's encoding. A CR LF pair is one line end; every line end ends a\n"
      "sentence (see --unwrap).");
  add_read_options(split, arguments.read);
  split->add_option("file", arguments.file, "The text to split ('-': standard input)")->type_name("FILE");
  return split;
}

Invocation make_split_command(const SplitArguments& arguments, const CLI::App* split) {
  auto read = make_read_options(arguments.read, split);
  if (auto* error = std::get_if<UsageError>(&read)) return *error;
  return Command{SplitOptions{std::get<api::ReadOptions>(read), arguments.file}};
}

struct SummarizeArguments {
  ReadArguments read;
  std::string method = "classic";
  std::optional<std::string> rate;
  std::optional<std::string> keep;
  std::optional<std::string> words;
  std::optional<std::string> query;
  bool condense = false;
  bool average = false;
  bool each = false;
  std::optional<std::string> jobs;
  std::string output_dir;
  std::string output;
  std::string format = "text";
  std::vector<std::string> files;
};

CLI::App* add_summarize_command(CLI::App& app, SummarizeArguments& arguments) {
  CLI::App* summarize = add_command(app, "summarize", "Summarize texts: the extract, a sentence a line",
      "Summarizes the named texts together, or standard input when none is named\n"
      "('-' names it too), and writes the extract to standard output or to -o FILE.\n"
      "Without --rate, --keep or --words the extract is every sentence the method\n"
      "selects. The output is in the texts' encoding; JSON is always UTF-8, with\n"
      "each byte of an ISO 8859-1 text as the character of the same code.\n"
      "With --method centroid (best) a size is the number of words to reach:\n"
      "sentences are added until they hold it, so the last one may cross it; the\n"
      "best sentence is always kept, and without a size every sentence is.");
  add_read_options(summarize, arguments.read);
  summarize
      ->add_option("--method", arguments.method,
                   "Summarizing method: " + choice_names(kMethods) +
                       " (default classic; best: centroid, sentences early in the text, central and not "
                       "redundant)")
      ->type_name("NAME");
  CLI::Option* rate = summarize
                          ->add_option("--rate", arguments.rate,
                                       "Compression rate: below 1 the share of words left out, from 1 up "
                                       "the most words; negative: the gist sentence alone")
                          ->type_name("R");
  CLI::Option* keep =
      summarize->add_option("--keep", arguments.keep, "Share of the words kept, above 0 and at most 1")
          ->type_name("F");
  CLI::Option* words = summarize
                           ->add_option("--words", arguments.words,
                                        "Most words in the extract; with --method centroid the words to "
                                        "reach: sentences are added until they hold N words or more, so the "
                                        "last one may cross N")
                           ->type_name("N");
  rate->excludes(keep)->excludes(words);
  keep->excludes(words);
  summarize->add_option("--query", arguments.query, "Rank the sentences against this text")->type_name("TEXT");
  summarize->add_flag("--condense", arguments.condense, "Remove stopwords inside the sentences shown");
  summarize->add_flag("--average", arguments.average, "Score a sentence by its words' average frequency");
  summarize->add_option("--format", arguments.format, "Output: " + choice_names(kFormats) + " (default text)")
      ->type_name("NAME");
  CLI::Option* output = summarize->add_option("-o,--output", arguments.output, "Write to FILE")->type_name("FILE");
  CLI::Option* each = summarize->add_flag("--each",
                                          arguments.each,
                                          "Summarize every file on its own into NAME.sum beside it "
                                          "(NAME.json, NAME.tsv for those formats)");
  summarize->add_option("--output-dir", arguments.output_dir, "With --each: write the summaries here")
      ->type_name("DIR")
      ->needs(each);
  summarize->add_option("--jobs", arguments.jobs, "With --each: files summarized at once (default: cores)")
      ->type_name("N")
      ->needs(each);
  output->excludes(each);
  summarize->add_option("files", arguments.files, "Texts to read ('-': standard input)")->type_name("FILE");
  return summarize;
}

template <typename Number>
std::optional<Number> parse_number(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

Invocation make_summarize_command(SummarizeArguments arguments, const CLI::App* summarize) {
  SummarizeOptions options;
  auto read = make_read_options(arguments.read, summarize);
  if (auto* error = std::get_if<UsageError>(&read)) return *error;
  options.summary.read = std::get<api::ReadOptions>(read);
  auto format = choose(kFormats, arguments.format, "format", summarize);
  if (auto* error = std::get_if<UsageError>(&format)) return *error;
  options.format = std::get<OutputFormat>(format);
  auto method = choose(kMethods, arguments.method, "method", summarize);
  if (auto* error = std::get_if<UsageError>(&method)) return *error;
  options.summary.method = std::get<api::Method>(method);
  if (options.summary.method == api::Method::kCentroid && (arguments.condense || arguments.average)) {
    return usage_error("--condense and --average belong to the classic method", summarize);
  }

  if (arguments.rate) {
    const std::optional<float> rate = parse_rate(*arguments.rate);
    if (!rate) return usage_error("--rate: '" + *arguments.rate + "' is not a number", summarize);
    options.summary.length = api::Rate{*rate};
  } else if (arguments.keep) {
    const std::optional<api::Share> share = parse_share(*arguments.keep);
    if (!share) {
      return usage_error("--keep: '" + *arguments.keep + "' is not a decimal number above 0 and at most 1",
                         summarize);
    }
    options.summary.length = *share;
  } else if (arguments.words) {
    const auto words = parse_number<std::int64_t>(*arguments.words);
    if (!words || *words < 0) {
      return usage_error("--words: '" + *arguments.words + "' is not a number of words", summarize);
    }
    options.summary.length = api::MaxWords{*words};
  }
  if (arguments.jobs) {
    const auto jobs = parse_number<unsigned>(*arguments.jobs);
    if (!jobs || *jobs == 0) {
      return usage_error("--jobs: '" + *arguments.jobs + "' is not a number of jobs (1 or more)", summarize);
    }
    options.jobs = *jobs;
  }
  options.summary.query = std::move(arguments.query);
  options.summary.condense = arguments.condense;
  options.summary.average = arguments.average;
  for (const char* name : {"--output", "--output-dir"}) {
    const CLI::Option* option = summarize->get_option(name);
    if (option->count() > 0 && option->as<std::string>().empty()) {
      return usage_error(std::string(name) + ": the name is empty", summarize);
    }
  }
  options.each = arguments.each;
  options.output_dir = std::move(arguments.output_dir);
  options.output = std::move(arguments.output);
  options.files = std::move(arguments.files);
  if (options.each) {
    if (options.files.empty()) return usage_error("--each needs the names of the files to summarize", summarize);
    for (const std::string& file : options.files) {
      if (file == "-") return usage_error("--each cannot read standard input", summarize);
    }
  }
  return Command{std::move(options)};
}

struct EvalArguments {
  bool stem = false;
  std::string lang = "en";
  std::optional<std::string> words;
  std::string format = "text";
  std::string candidate;
  std::string reference;
};

CLI::App* add_eval_command(CLI::App& app, EvalArguments& arguments) {
  CLI::App* eval = app.add_subcommand("eval", "Score candidate summaries against references (ROUGE)");
  eval->footer(
      "Writes ROUGE-1, ROUGE-2 and ROUGE-L recall, precision and F of each candidate\n"
      "against its reference, and their averages. CANDIDATE and REFERENCE are two\n"
      "files, or two folders whose files are paired by name. Tokens are runs of\n"
      "word characters, lower-cased; the texts are UTF-8 (a byte that is not\n"
      "UTF-8 counts as ISO 8859-1).");
  eval->add_flag("--stem", arguments.stem, "Stem the tokens with the stemmer of --lang");
  eval->add_option("--lang", arguments.lang, "Language of the stemmer: " + language_codes() + " (default en)")
      ->type_name("CODE");
  eval->add_option("--words", arguments.words, "Cut every candidate to its first N tokens")->type_name("N");
  eval->add_option("--format", arguments.format, "Output: " + choice_names(kFormats) + " (default text)")
      ->type_name("NAME");
  eval->add_option("candidate", arguments.candidate, "The candidate summary, or a folder of them")
      ->type_name("CANDIDATE")
      ->required();
  eval->add_option("reference", arguments.reference, "The reference summary, or a folder of them")
      ->type_name("REFERENCE")
      ->required();
  return eval;
}

Invocation make_eval_command(EvalArguments arguments, const CLI::App* eval) {
  EvalOptions options;
  auto format = choose(kFormats, arguments.format, "format", eval);
  if (auto* error = std::get_if<UsageError>(&format)) return *error;
  options.format = std::get<OutputFormat>(format);
  const auto language = choose_language(arguments.lang, eval);
  if (const auto* error = std::get_if<UsageError>(&language)) return *error;
  if (arguments.stem) options.stem = std::get<api::Language>(language);
  if (arguments.words) {
    const auto words = parse_number<std::size_t>(*arguments.words);
    if (!words) return usage_error("--words: '" + *arguments.words + "' is not a number of words", eval);
    options.words = *words;
  }
  options.candidate = std::move(arguments.candidate);
  options.reference = std::move(arguments.reference);
  return Command{std::move(options)};
}

// The first argument is an option of the program or names a command.
// CLI11 would answer both mistakes with "A subcommand is required".
std::optional<UsageError> check_command_name(const CLI::App& app, std::span<const std::string> args) {
  if (args.empty()) return UsageError{std::string(kProgram) + ": no command given\n" + usage_hint(nullptr)};
  const std::string& name = args.front();
  if (name.starts_with('-')) {
    if (app.get_option_no_throw(name) != nullptr) return std::nullopt;
    return UsageError{std::string(kProgram) + ": unknown option '" + name + "'\n" + usage_hint(nullptr)};
  }
  std::string commands;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (command->get_name() == name) return std::nullopt;
    if (!commands.empty()) commands += ", ";
    commands += command->get_name();
  }
  return UsageError{std::string(kProgram) + ": unknown command '" + name + "' (commands: " + commands +
                    ")\n" + usage_hint(nullptr)};
}

}  // namespace

std::optional<api::Share> parse_share(std::string_view text) {
  // Digits, then at most one '.' and more digits; 18 decimals at most, so
  // that the denominator is a power of ten that fits.
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 1;
  bool point = false;
  bool digits = false;
  std::uint64_t whole = 0;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    digits = true;
    if (point) {
      if (denominator == 1'000'000'000'000'000'000ULL) {
        if (c != '0') return std::nullopt;  // trailing zeros change nothing
        continue;
      }
      numerator = numerator * 10 + static_cast<std::uint64_t>(c - '0');
      denominator *= 10;
    } else {
      if (whole > 1) return std::nullopt;
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    }
  }
  if (!digits || whole > 1) return std::nullopt;
  if (whole == 1) {
    if (numerator != 0) return std::nullopt;
    return api::Share{1, 1};
  }
  if (numerator == 0) return std::nullopt;
  return api::Share{numerator, denominator};
}

std::optional<float> parse_rate(std::string_view text) {
  // The number must be the whole argument; its value is the one the
  // summarizer programs read, so that both give the same extract.
  std::string_view number = text;
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  if (!parse_number<double>(number)) return std::nullopt;
  return base::scan_float(text);
}

Invocation parse_command_line(std::span<const std::string> args) {
  CLI::App app("Kernova: extractive summaries of English and Portuguese plain text.", std::string(kProgram));
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(kProgram) + " " + KERNOVA_VERSION);

  StemArguments stem_arguments;
  CLI::App* stem = add_stem_command(app, stem_arguments);
  SplitArguments split_arguments;
  CLI::App* split = add_split_command(app, split_arguments);
  SummarizeArguments summarize_arguments;
  CLI::App* summarize = add_summarize_command(app, summarize_arguments);
  EvalArguments eval_arguments;
  CLI::App* eval = add_eval_command(app, eval_arguments);

  // Set after the commands, which would otherwise inherit it.
  app.footer("Run 'kernova COMMAND --help' for the options of a command.");
  if (auto error = check_command_name(app, args)) return *error;

  // CLI11 takes its arguments last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    // Names the subcommand's options when --help follows a subcommand.
    return HelpRequest{with_one_line_end(app.help())};
  } catch (const CLI::CallForVersion&) {
    return HelpRequest{std::string(kProgram) + " " + KERNOVA_VERSION + "\n"};
  } catch (const CLI::ParseError& error) {
    // The hint names the command whose options were wrong, if any.
    std::vector<CLI::App*> parsed = app.get_subcommands();
    const CLI::App* command = parsed.empty() ? nullptr : parsed.front();
    return UsageError{std::string(kProgram) + ": " + error.what() + "\n" + usage_hint(command)};
  }

  if (stem->parsed()) return make_stem_command(std::move(stem_arguments), stem);
  if (split->parsed()) return make_split_command(split_arguments, split);
  if (summarize->parsed()) return make_summarize_command(std::move(summarize_arguments), summarize);
  if (eval->parsed()) return make_eval_command(std::move(eval_arguments), eval);
  // require_subcommand(1) leaves no other way out of a successful parse.
  return UsageError{std::string(kProgram) + ": no command given\n" + usage_hint(nullptr)};
}

}  // namespace kernova::frontend
