"""Whether torlin's calls release the interpreter lock, and what a call costs beyond
its C++ work: run with PYTHONPATH=build/default/python python3 bench/python_threads.py.

Two Python threads each compute the default map's exact columns on one C++ thread; if
the lock is released they run side by side on two cores, in about one call's time.
"""

import threading
import time

import torlin

design = torlin.Design.window()


def one_map():
    torlin.mode_map(design, threads=1)


def best_of(runs, work):
    times = []
    for _ in range(runs):
        started = time.perf_counter()
        work()
        times.append(time.perf_counter() - started)
    return min(times)


def two_at_once():
    threads = [threading.Thread(target=one_map) for _ in range(2)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()


one = best_of(3, one_map)
two = best_of(3, two_at_once)
print(f"one call {one:.3f} s; two calls in two Python threads {two:.3f} s; ratio {two / one:.2f} (2.00: no overlap)")

# The binding's overhead: one mode's map row through Python, against the same on the pool.
single = best_of(200, lambda: torlin.mode_map(design, [60], [200], exact=False, threads=1))
print(f"one mode's window-map row through Python: {single * 1000:.2f} ms")
