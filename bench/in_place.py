"""The timing of bench/in-place.sh: one title change written into the file itself per call,
each tool on its own copy of the same file, the tools taking turns in every round."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

MIB = 1024 * 1024
MUTAGEN = ("import sys\nfrom mutagen.id3 import ID3, TIT2\n"
           "tags = ID3(sys.argv[1])\ntags.add(TIT2(encoding=0, text=sys.argv[2]))\n"
           "tags.save(v2_version=3)\n")


def make_file(path, size):
    """An ID3v2.3 tag with a title and 1 KiB of padding, then MPEG frames up to size."""
    title = b"\0Der Fall"
    frame = b"TIT2" + len(title).to_bytes(4, "big") + b"\0\0" + title
    body = len(frame) + 1024
    syncsafe = bytes((body >> shift) & 0x7F for shift in (21, 14, 7, 0))
    tag = b"ID3\3\0\0" + syncsafe + frame + bytes(1024)
    block = (b"\xff\xfb\x90\x00" + bytes(413)) * 2048
    with open(path, "wb") as out:
        out.write(tag)
        left = size - len(tag)
        while left > 0:
            out.write(block[:left])
            left -= min(left, len(block))


def tools(cli, work, files):
    """What each tool runs for round n: the command and its working folder."""
    return {
        "cp": lambda n: (["cp", files["cp"], os.path.join(work, "copy.mp3")], work),
        "velmora-cli": lambda n: ([cli, files["velmora-cli"], "set", "v2Title", f"Titel {n}",
                                   "update", files["velmora-cli"]], work),
        "id3v2": lambda n: (["id3v2", "--id3v2-only", "-t", f"Titel {n}", files["id3v2"]], work),
        "mutagen": lambda n: (["/usr/bin/python3", "-c", MUTAGEN, files["mutagen"], f"Titel {n}"],
                              work),
    }


def measure(cli, size, rounds, base):
    work = tempfile.mkdtemp(prefix="velmora-in-place-", dir=base)
    try:
        with open(os.path.join(work, "Tonfeld.ini"), "w") as ini:
            ini.write("[SETTINGS]\nTAG_IN_PLACE=1\nGEN_TXT_FILE=0\nUPLOADINFO=0\n")
        files = {}
        for name in ("cp", "velmora-cli", "id3v2", "mutagen"):
            files[name] = os.path.join(work, name + ".mp3")
            make_file(files[name], size)
        runs = tools(cli, work, files)
        times = {name: [] for name in runs}
        for n in range(rounds):
            order = list(runs) if n % 2 == 0 else list(reversed(runs))
            for name in order:
                command, cwd = runs[name](n)
                # What the tool before left to write back is not this tool's cost: a file
                # system's journal commit (Velmora's syncs) would otherwise pay for it.
                os.sync()
                start = time.perf_counter()
                subprocess.run(command, cwd=cwd, check=True, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
                times[name].append(time.perf_counter() - start)
        return {name: statistics.median(values) * 1000 for name, values in times.items()}
    finally:
        shutil.rmtree(work)


def main():
    cli, rounds = sys.argv[1], int(sys.argv[2])
    base = os.environ.get("VELMORA_BENCH_DIR") or None
    medians = {}
    for mib in (20, 200):
        medians[mib] = measure(os.path.abspath(cli), mib * MIB, rounds, base)
        print(f"{mib} MiB, median of {rounds} calls (ms, and x cp):")
        for name, ms in medians[mib].items():
            print(f"  {name:12} {ms:8.2f}  {ms / medians[mib]['cp']:6.3f}x")
    growth = medians[200]["velmora-cli"] / medians[20]["velmora-cli"]
    print(f"velmora-cli 200 MiB / 20 MiB: {growth:.2f} (target at most 2); "
          f"at 200 MiB {medians[200]['velmora-cli'] / medians[200]['cp']:.3f}x cp "
          "(target at most 0.15)")


if __name__ == "__main__":
    main()
