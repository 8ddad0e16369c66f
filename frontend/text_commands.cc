#include "frontend/text_commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <filesystem>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "base/files.h"
#include "frontend/formats.h"
#include "frontend/io.h"

namespace kernova::frontend {
namespace {

namespace fs = std::filesystem;

std::string display_name(const std::string& name) {
  return name.empty() || name == "-" ? std::string("standard input") : name;
}

Failure named_error(const std::string& name, const std::string& message) {
  return Failure("kernova: " + display_name(name) + ": " + message + "\n");
}

// Summarizes one file into its output file; throws Failure with the
// message for that file.
void summarize_one(const SummarizeOptions& options, const std::string& input, const std::string& output) {
  try {
    const std::string text = read_input(input, nullptr);
    const std::string_view texts[] = {text};
    const api::Summary summary = api::summarize(texts, options.summary);
    write_file_whole(output, format_summary(summary, options.format), base::Naming::kProgram);
  } catch (const api::Error& error) {
    throw named_error(input, error.what());
  } catch (const std::bad_alloc&) {
    throw named_error(input, "out of memory");
  }
}

// A progress bar on one terminal line, redrawn when the share done grows.
class Progress {
 public:
  Progress(std::FILE* out, std::size_t total) : out_(out), total_(total) {}

  void one_done() {
    if (out_ == nullptr) return;
    std::lock_guard lock(mutex_);
    ++done_;
    const std::size_t width = 40;
    const std::size_t filled = total_ == 0 ? width : done_ * width / total_;
    if (filled == filled_ && done_ != total_) return;
    filled_ = filled;
    std::string bar = "\rkernova: [" + std::string(filled, '#') + std::string(width - filled, '.') + "] " +
                      std::to_string(done_) + "/" + std::to_string(total_);
    if (done_ == total_) bar += '\n';
    std::fputs(bar.c_str(), out_);
    std::fflush(out_);
  }

 private:
  std::FILE* out_;
  std::size_t total_;
  std::mutex mutex_;
  std::size_t done_ = 0;
  std::size_t filled_ = static_cast<std::size_t>(-1);
};

// What tells two of --each's files apart: the file's identity (device and
// inode) when it exists, else its absolute, normalised path.
std::string file_key(const std::string& name) {
  struct stat info;
  if (::stat(name.c_str(), &info) == 0) {
    return "i" + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
  }
  std::error_code error;
  fs::path path = fs::weakly_canonical(fs::absolute(name, error), error);
  if (error) path = fs::absolute(name, error).lexically_normal();
  return "p" + path.string();
}

// Before anything is written: no output of --each is an input or another
// output. Throws CommandLineFailure naming both files.
void check_each_outputs(const std::vector<std::string>& files, const std::vector<std::string>& outputs) {
  std::unordered_map<std::string, std::size_t> inputs;
  for (std::size_t i = 0; i < files.size(); ++i) inputs.emplace(file_key(files[i]), i);
  std::unordered_map<std::string, std::size_t> written;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const std::string key = file_key(outputs[i]);
    const std::string start = "kernova: " + files[i] + ": its summary " + outputs[i];
    if (const auto input = inputs.find(key); input != inputs.end()) {
      const std::string other = input->second == i ? std::string("it") : files[input->second];
      throw CommandLineFailure(start + " would overwrite " + other + "\n");
    }
    if (const auto [first, added] = written.emplace(key, i); !added) {
      throw CommandLineFailure(start + " is also the summary of " + files[first->second] + "\n");
    }
  }
}

}  // namespace

void run_split(const SplitOptions& options, std::FILE* in, std::FILE* out) {
  const std::string text = read_input(options.file, in);
  api::Sentences sentences;
  try {
    sentences = api::split(text, options.read);
  } catch (const api::Error& error) {
    throw named_error(options.file, error.what());
  }
  std::string bytes;
  for (const std::string& sentence : sentences.sentences) {
    bytes += sentence;
    bytes += '\n';
  }
  write_output(bytes, out);
}

std::string each_output_name(const std::string& input, OutputFormat format, const std::string& output_dir) {
  std::string name = base::replace_extension(input, ".sum");
  if (format != OutputFormat::kText) {
    name.resize(name.size() - 4);  // ".sum"
    name += format == OutputFormat::kJson ? ".json" : ".tsv";
  }
  if (output_dir.empty()) return name;
  const std::size_t slash = name.rfind('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return output_dir.back() == '/' ? output_dir + name : output_dir + "/" + name;
}

std::vector<std::string> run_each(const SummarizeOptions& options, unsigned jobs, std::FILE* progress) {
  const std::vector<std::string>& files = options.files;
  std::vector<std::string> outputs;
  std::vector<std::string> errors(files.size());
  for (const std::string& file : files) outputs.push_back(each_output_name(file, options.format, options.output_dir));
  check_each_outputs(files, outputs);

  Progress bar(progress, files.size());
  std::atomic<std::size_t> next{0};
  auto work = [&]() {
    for (;;) {
      const std::size_t i = next++;
      if (i >= files.size()) return;
      if (errors[i].empty()) {
        try {
          summarize_one(options, files[i], outputs[i]);
        } catch (const Failure& failure) {
          errors[i] = failure.what();
        } catch (const std::bad_alloc&) {
          errors[i] = "kernova: " + files[i] + ": out of memory\n";
        }
      }
      bar.one_done();
    }
  };
  const std::size_t threads = std::min<std::size_t>(std::max(jobs, 1u), files.size());
  std::vector<std::jthread> pool;
  try {
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work);
  } catch (const std::system_error&) {
    // No more threads to be had: the ones there are do the rest.
  }
  work();
  pool.clear();  // joins

  std::vector<std::string> failures;
  for (std::string& error : errors) {
    if (!error.empty()) failures.push_back(std::move(error));
  }
  return failures;
}

void run_summarize(const SummarizeOptions& options, std::FILE* in, std::FILE* out) {
  if (options.each) {
    unsigned jobs = options.jobs != 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    std::FILE* progress = ::isatty(STDERR_FILENO) ? stderr : nullptr;
    const std::vector<std::string> failures = run_each(options, jobs, progress);
    if (failures.empty()) return;
    std::string message;
    for (const std::string& failure : failures) message += failure;
    throw Failure(message);
  }

  const std::vector<std::string> names = options.files.empty() ? std::vector<std::string>{"-"} : options.files;
  std::vector<std::string> texts;
  texts.reserve(names.size());
  for (const std::string& name : names) texts.push_back(read_input(name, in));
  const std::vector<std::string_view> views(texts.begin(), texts.end());
  api::Summary summary;
  try {
    summary = api::summarize(views, options.summary);
  } catch (const api::Error& error) {
    if (error.input()) throw named_error(names[*error.input()], error.what());
    throw Failure("kernova: " + std::string(error.what()) + "\n");
  }
  const std::string output = format_summary(summary, options.format);
  if (options.output.empty()) {
    write_output(output, out);
    return;
  }
  for (const std::string& name : names) {
    if (name != "-" && base::same_file(name, options.output)) {
      throw Failure("kernova: " + options.output + " would overwrite an input\n");
    }
  }
  write_file_whole(options.output, output, base::Naming::kUser);
}

}  // namespace kernova::frontend
