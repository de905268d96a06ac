"""The timing of bench/share-audio.sh: a tagged copy to a new name on a file system that clones
blocks, against cp and cp --reflink=never, and the new space each copy takes."""
import os
import statistics
import subprocess
import sys
import time

from in_place import MIB, make_file


def free_bytes(folder):
    """The free space once the file system has settled (XFS frees a removed file's blocks in the
    background)."""
    last = None
    while True:
        os.sync()
        status = os.statvfs(folder)
        free = status.f_bfree * status.f_frsize
        if free == last:
            return free
        last = free
        time.sleep(0.05)


def main():
    cli, mount, rounds = os.path.abspath(sys.argv[1]), sys.argv[2], int(sys.argv[3])
    source = os.path.join(mount, "source.mp3")
    make_file(source, 200 * MIB)
    with open(os.path.join(mount, "Tonfeld.ini"), "w") as ini:
        ini.write("[SETTINGS]\nSHARE_AUDIO=1\nGEN_TXT_FILE=0\nUPLOADINFO=0\n")
    target = os.path.join(mount, "copy.mp3")
    runs = {
        "cp": ["cp", source, target],
        "cp --reflink=never": ["cp", "--reflink=never", source, target],
        "velmora-cli": [cli, source, "set", "v2Title", "Neu", "update", target],
    }
    times = {name: [] for name in runs}
    space = {name: [] for name in runs}
    for n in range(rounds):
        for name in (list(runs) if n % 2 == 0 else list(reversed(runs))):
            if os.path.exists(target):
                os.remove(target)
            before = free_bytes(mount)
            # Until the copy is on the disk: Velmora syncs its copy, the cp do not by themselves.
            start = time.perf_counter()
            subprocess.run(runs[name], cwd=mount, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            os.sync()
            times[name].append(time.perf_counter() - start)
            space[name].append(before - free_bytes(mount))
    real = statistics.median(times["cp --reflink=never"])
    print(f"200 MiB tagged copy on XFS with reflink, until on the disk, median of {rounds} rounds:")
    for name in runs:
        ms = statistics.median(times[name]) * 1000
        new = statistics.median(space[name])
        print(f"  {name:20} {ms:8.2f} ms  {ms / 1000 / real:6.3f}x real copy  "
              f"new space {new / MIB:8.2f} MiB ({100 * new / (200 * MIB):.2f} %)")


if __name__ == "__main__":
    main()
