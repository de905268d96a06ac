"""The timing of bench/collection-run.sh."""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from in_place import MIB, make_file

FIRST = ["Anna", "Bernd", "Clara", "Dieter", "Eva", "Fritz", "Greta", "Hans", "Ida", "Jakob"]
LAST = ["Berg", "Hahn", "Kurz", "Lang", "Roth", "Vogt", "Wolf", "Zeller", "Busch", "Frank",
        "Graf", "Horn", "Jung", "Keller", "Lorenz", "Mohr", "Nagel", "Ott", "Pohl", "Rau"]
PLACES = ["Ahlen", "Bergen", "Celle", "Dorsten", "Emden", "Fulda", "Goslar", "Hameln", "Itzehoe",
          "Jena"]


def plays(count):
    """(first name, last name, title, station, year) of each made-up play."""
    for n in range(count):
        yield (FIRST[n % 10], LAST[n // 10 % 20], f"Spur nach {PLACES[n % 10]}", "RBX",
               1970 + n % 30)


def make_collection(folder, data, count, size):
    os.makedirs(folder)
    with open(data, "w", encoding="utf-8") as tsv:
        for first, last, title, station, year in plays(count):
            tsv.write("\t".join([f"{last}, {first}", title, "", station, str(year), "55'",
                                 "Hörspiel", "Krimi", "Regie", "", "", "Ein Fall.", "Sprecher"])
                      + "\n")
            make_file(os.path.join(folder, f"{first} {last} - {title} - {station}, "
                                           f"{year % 100:02d}.mp3"), size)


def run(command, cwd, env):
    """Seconds until the command's files are on the disk, and its last line of output."""
    start = time.perf_counter()
    done = subprocess.run(command, cwd=cwd, env=env, check=True, capture_output=True, text=True)
    os.sync()
    return time.perf_counter() - start, (done.stdout.strip().splitlines() or [""])[-1]


def main():
    build, rounds, count, mib = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    cli = os.path.abspath(os.path.join(build, "cli", "velmora-cli"))
    work = tempfile.mkdtemp(prefix="velmora-run-", dir=os.environ.get("VELMORA_BENCH_DIR"))
    env = dict(os.environ, XDG_CACHE_HOME=os.path.join(work, "cache"),
               XDG_STATE_HOME=os.path.join(work, "state"))
    standin = None
    try:
        make_collection(os.path.join(work, "plays"), os.path.join(work, "plays.tsv"), count,
                        mib * MIB)
        standin = subprocess.Popen([os.path.join(build, "tools", "hoerdat-standin"), "--port",
                                    "0", "--data", os.path.join(work, "plays.tsv")],
                                   stdout=subprocess.PIPE, text=True)
        port = re.search(r":(\d+)$", standin.stdout.readline().strip()).group(1)
        with open(os.path.join(work, "Tonfeld.ini"), "w") as ini:
            ini.write(f"[WWW]\nURL-HOERDAT=http://127.0.0.1:{port}/\nSCRIPT-HOERDAT=hoerdat.php\n"
                      "HOERDAT_PAUSE_MS=0\n[SETTINGS]\nGEN_TXT_FILE=0\nUPLOADINFO=0\n")
        subprocess.run([cli, "plays", "lookup"], cwd=work, env=env, check=True,
                       stdout=subprocess.DEVNULL)
        ours, theirs = [], []
        for n in range(rounds):
            shutil.rmtree(os.path.join(work, "copy"), ignore_errors=True)
            os.sync()
            sides = [("velmora", [cli, "plays", "apply-in-place"]),
                     ("cp", ["cp", "-r", "plays", "copy"])]
            for name, command in (sides if n % 2 == 0 else reversed(sides)):
                seconds, last = run(command, work, env)
                (ours if name == "velmora" else theirs).append(seconds)
                if name == "velmora":
                    summary = last
            subprocess.run([cli, "plays", "undo"], cwd=work, env=env, check=True,
                           stdout=subprocess.DEVNULL)
        velmora, cp = statistics.median(ours), statistics.median(theirs)
        print(f"{count} plays of {mib} MiB, median of {rounds} rounds, until on the disk:")
        print(f"  velmora-cli DIR apply-in-place {velmora * 1000:9.1f} ms")
        print(f"  cp -r DIR COPY                 {cp * 1000:9.1f} ms")
        print(f"  ratio {velmora / cp:.3f} (target at most 0.25); Velmora's summary: {summary}")
    finally:
        if standin:
            standin.terminate()
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
