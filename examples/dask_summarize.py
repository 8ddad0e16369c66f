#!/usr/bin/env python3
"""Summarizes every file under a folder with Dask, into one JSON Lines file.

    examples/dask_summarize.py CORPUS summaries.jsonl --words 100
    examples/dask_summarize.py CORPUS summaries.jsonl --scheduler tcp://head:8786 --words 100

Without --scheduler it starts a LocalCluster of --workers processes on this
machine; with it, the work goes to the workers of a running Dask cluster.
The file names form a dask.bag, mapped through kernova.summarize on the
workers, which read the files themselves (on a cluster the folder must be
at the same path on every machine, as with a shared file system). Each
line of the output is one file's summary: {"file": NAME, "extract": ...}
and the fields of `kernova summarize --format json`, in file name order.
The output is written whole or not at all.
"""

import argparse
import json
import os
import pathlib
import tempfile

import dask.bag
import distributed

import kernova


def summary_line(name, options):
    summary = kernova.summarize(pathlib.Path(name), **options)
    record = {"file": name, "extract": str(summary), **summary.to_dict()}
    return json.dumps(record, ensure_ascii=False)


def summarize_files(names, options, partitions):
    """The JSON lines of `names`, in order, computed by the current Dask client."""
    bag = dask.bag.from_sequence(names, npartitions=max(1, min(len(names), partitions)))
    return bag.map(summary_line, options).compute()


def write_whole(path, lines):
    """Writes `lines` to a new file beside `path`, then puts it in its place."""
    folder = os.path.dirname(os.path.abspath(path))
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", dir=folder, prefix=".summaries-", delete=False) as out:
        try:
            for line in lines:
                out.write(line + "\n")
        except BaseException:
            os.unlink(out.name)
            raise
    os.replace(out.name, path)


def parse_arguments(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("corpus", help="folder of texts (every file under it)")
    parser.add_argument("output", help="the JSON Lines file to write")
    parser.add_argument("--scheduler", help="address of a Dask scheduler (default: a local cluster)")
    parser.add_argument("--workers", type=int, default=2, help="local worker processes (default 2)")
    parser.add_argument("--lang", default="en")
    size = parser.add_mutually_exclusive_group()
    size.add_argument("--rate", type=float)
    size.add_argument("--keep")
    size.add_argument("--words", type=int)
    parser.add_argument("--query")
    parser.add_argument("--condense", action="store_true")
    parser.add_argument("--average", action="store_true")
    parser.add_argument("--encoding", default="auto")
    parser.add_argument("--unwrap", action="store_true")
    parser.add_argument("--method", default="classic")
    return parser.parse_args(argv)


def main(argv=None):
    args = parse_arguments(argv)
    keys = ["lang", "rate", "keep", "words", "query", "condense", "average", "encoding", "unwrap", "method"]
    options = {key: getattr(args, key) for key in keys}
    kernova.summarize("", **options)  # a bad option fails here, before any worker starts
    names = sorted(str(path) for path in pathlib.Path(args.corpus).rglob("*") if path.is_file())
    if args.scheduler:
        with distributed.Client(args.scheduler) as client:
            workers = len(client.scheduler_info()["workers"])
            lines = summarize_files(names, options, partitions=8 * max(1, workers))
    else:
        with distributed.LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True) as cluster:
            with distributed.Client(cluster):
                lines = summarize_files(names, options, partitions=8 * args.workers)
    write_whole(args.output, lines)


if __name__ == "__main__":
    main()
