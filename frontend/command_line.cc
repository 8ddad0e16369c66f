#include "frontend/command_line.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string_view>

namespace kernova::frontend {
namespace {

constexpr std::string_view kProgram = "kernova";

std::string usage_hint(const CLI::App* command) {
  std::string name(kProgram);
  if (command != nullptr) name += " " + command->get_name();
  return "Run '" + name + " --help' for usage.\n";
}

std::string language_codes() {
  std::string codes;
  for (const StemmerChoice& choice : stemmer_choices()) {
    if (!codes.empty()) codes += ", ";
    codes += choice.code;
  }
  return codes;
}

// CLI11 ends a help text with one line end or none, depending on the
// footer; the program prints exactly one.
std::string with_one_line_end(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text + "\n";
}

// The options of `kernova stem`, filled in by CLI11.
struct StemArguments {
  std::string lang;
  std::vector<std::string> files;
};

CLI::App* add_stem_command(CLI::App& app, StemArguments& arguments) {
  CLI::App* stem = app.add_subcommand("stem", "Stem words, one per line");
  stem->footer(
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
  const StemmerChoice* choice = find_stemmer(arguments.lang);
  if (choice == nullptr) {
    return UsageError{std::string(kProgram) + ": unknown language '" + arguments.lang +
                      "' (known: " + language_codes() + ")\n" + usage_hint(stem)};
  }
  return Command{StemOptions{choice, std::move(arguments.files)}};
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

Invocation parse_command_line(std::span<const std::string> args) {
  CLI::App app("Kernova: extractive summaries of English and Portuguese plain text.", std::string(kProgram));
  app.require_subcommand(1);

  StemArguments stem_arguments;
  CLI::App* stem = add_stem_command(app, stem_arguments);

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
  } catch (const CLI::ParseError& error) {
    // The hint names the command whose options were wrong, if any.
    std::vector<CLI::App*> parsed = app.get_subcommands();
    const CLI::App* command = parsed.empty() ? nullptr : parsed.front();
    return UsageError{std::string(kProgram) + ": " + error.what() + "\n" + usage_hint(command)};
  }

  if (stem->parsed()) return make_stem_command(std::move(stem_arguments), stem);
  // require_subcommand(1) leaves no other way out of a successful parse.
  return UsageError{std::string(kProgram) + ": no command given\n" + usage_hint(nullptr)};
}

}  // namespace kernova::frontend
