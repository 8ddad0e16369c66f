#!/usr/bin/env python3
"""Times the Python module on thousands of 2 KB texts, beside the library
alone and `kernova summarize --each`:

  1. the library alone (bench/summarize_texts_bench.cc), per text;
  2. kernova.summarize called from Python, one text a call, one thread:
     the difference with 1 is the cost of a call from Python;
  3. kernova.summarize_many on 1 and 2 threads;
  4. kernova summarize --each --jobs 1 and 2 over the same texts as files;
  5. examples/dask_summarize.py's work on a LocalCluster of 1 and of 2
     worker processes (the cluster's start not counted).

Each time is the best of three. The texts are made at run time: sentences
of 6 to 24 words drawn from the words of samples/*.txt, with a seeded
generator, until a text holds 2 KB.

Usage: PYTHONPATH=build/python bench/python_bench.py [--bin build/bin] [--texts 3000] [--dask-texts 5000]
(the build needs -DKERNOVA_BUILD_PYTHON=ON -DKERNOVA_BUILD_BENCH=ON)
"""

import argparse
import importlib.util
import os
import pathlib
import random
import subprocess
import sys
import tempfile
import time

import distributed

import kernova

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[1]
WORDS = 60


def make_texts(count):
    words = []
    for sample in sorted((SOURCE_DIR / "samples").glob("*.txt")):
        words += [w.strip(b".,;:!?()\"") for w in sample.read_bytes().split()]
    words = [w for w in words if w]
    texts = []
    for i in range(count):
        pick = random.Random(i)
        text = bytearray()
        while len(text) < 2048:
            sentence = b" ".join(pick.choice(words) for _ in range(pick.randint(6, 24)))
            text += sentence[:1].upper() + sentence[1:] + b". "
        texts.append(bytes(text) + b"\n")
    return texts


def write_texts(folder, texts):
    folder.mkdir()
    for i, text in enumerate(texts):
        (folder / f"text{i:05}.txt").write_bytes(text)
    return sorted(folder.iterdir())


def best_of_three(work):
    """The least wall time of three runs of work(), in seconds; the least
    CPU time of this process is left in best_of_three.cpu."""
    best = best_cpu = None
    for _ in range(3):
        start, cpu_start = time.perf_counter(), time.process_time()
        work()
        took, cpu = time.perf_counter() - start, time.process_time() - cpu_start
        best = took if best is None else min(best, took)
        best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
    best_of_three.cpu = best_cpu
    return best


def load_example():
    spec = importlib.util.spec_from_file_location("dask_summarize", SOURCE_DIR / "examples" / "dask_summarize.py")
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def dask_seconds(example, names, workers):
    options = {"words": WORDS}
    with distributed.LocalCluster(n_workers=workers, threads_per_worker=1, processes=True) as cluster:
        with distributed.Client(cluster):
            example.summarize_files(names[:50], options, partitions=2)  # the workers import kernova
            return best_of_three(lambda: example.summarize_files(names, options, partitions=8 * workers))


def main():
    parser = argparse.ArgumentParser(description="Times the Python module")
    parser.add_argument("--bin", default=str(SOURCE_DIR / "build" / "bin"))
    parser.add_argument("--texts", type=int, default=3000)
    parser.add_argument("--dask-texts", type=int, default=5000)
    args = parser.parse_args()
    bin_dir = pathlib.Path(args.bin)

    texts = make_texts(max(args.texts, args.dask_texts))
    few = texts[: args.texts]
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        files = write_texts(work / "texts", few)
        dask_files = [str(f) for f in write_texts(work / "dask", texts[: args.dask_texts])]
        print(f"load average {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores")
        print(f"{len(few)} texts of {sum(map(len, few)) / len(few):.0f} bytes on average, at most {WORDS} words")

        # Times per text in microseconds, wall and CPU: the CPU time tells
        # the work itself from the cores that other processes take.
        def per_text(seconds, cpu):
            return f"{seconds / len(few) * 1e6:8.1f} us per text ({cpu / len(few) * 1e6:.1f} us of CPU)"

        library, library_cpu = map(float, subprocess.run(
            [bin_dir / "summarize_texts_bench", work / "texts", str(WORDS)],
            check=True, capture_output=True, text=True).stdout.split()[:2])
        print(f"  library alone, one thread:          {library:8.1f} us per text ({library_cpu:.1f} us of CPU)")

        def calls(items):
            # Each summary is dropped at once, as the library's loop does.
            for text in items:
                kernova.summarize(text, words=WORDS)

        one = best_of_three(lambda: calls(few))
        print(f"  kernova.summarize, one thread:      {per_text(one, best_of_three.cpu)}")
        as_str = [t.decode("latin-1") for t in few]
        print(f"  the same on str texts:              {per_text(best_of_three(lambda: calls(as_str)), best_of_three.cpu)}")
        # An empty text leaves the library almost nothing to do: what is
        # left is the call from Python (options, text, result object).
        empty = best_of_three(lambda: calls([b""] * len(few)))
        print(f"  a call on an empty text:            {per_text(empty, best_of_three.cpu)}")

        many, many_cpu = {}, {}
        for jobs in (1, 2):
            many[jobs] = best_of_three(lambda: kernova.summarize_many(few, jobs=jobs, words=WORDS))
            many_cpu[jobs] = best_of_three.cpu
            print(f"  summarize_many, {jobs} thread(s):        {per_text(many[jobs], many_cpu[jobs])}")
        print(f"  summarize_many on 2 threads: {many[1] / many[2]:.2f} x one thread;"
              f" with two free cores at most {2 * many_cpu[1] / many_cpu[2]:.2f} x (CPU time per text)")

        program = bin_dir / "kernova"
        for jobs in (1, 2):
            out = work / f"each{jobs}"
            out.mkdir()
            seconds = best_of_three(lambda: subprocess.run(
                [program, "summarize", "--each", "--jobs", str(jobs), "--words", str(WORDS), "--output-dir", out,
                 *files], check=True))
            print(f"  kernova summarize --each --jobs {jobs}: {seconds / len(few) * 1e6:8.1f} us per text")
        extracts = [(work / "each1" / (f.stem + ".sum")).read_bytes().decode("latin-1") for f in files]
        assert extracts == [str(s) for s in kernova.summarize_many(few, words=WORDS)], "extracts differ"

        example = load_example()
        dask = {workers: dask_seconds(example, dask_files, workers) for workers in (1, 2)}
        for workers, seconds in dask.items():
            print(f"  Dask, {len(dask_files)} texts, {workers} worker(s):     {seconds:8.2f} s")
        print(f"  Dask on 2 workers: {dask[1] / dask[2]:.2f} x one worker")


if __name__ == "__main__":
    sys.exit(main())
