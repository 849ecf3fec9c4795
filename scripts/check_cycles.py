#!/usr/bin/env python3
"""Finds include cycles of any length between modules (a .h with its .cpp) and
between top-level folders, over every .h and .cpp the repository tracks.

Usage: scripts/check_cycles.py [--self-test]
Prints one line per check, "cycles: <check> passed" or "cycles: <check> failed"
followed by each cycle found; exits 1 when any check fails. --self-test runs the
finder on small made-up trees first, so a finder that misses a cycle fails too.
"""
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def tracked_sources(root):
    listed = subprocess.run(['git', 'ls-files', '-co', '--exclude-standard'], cwd=root, check=True,
                            capture_output=True, text=True).stdout.split('\n')
    return [name for name in listed if name.endswith(('.h', '.cpp')) and os.path.isfile(os.path.join(root, name))]


def read_includes(root, names):
    """{file: [included files that exist in the tree]}"""
    present = set(names)
    includes = {}
    for name in names:
        with open(os.path.join(root, name), encoding='utf-8', errors='replace') as source:
            text = source.read()
        includes[name] = [header for header in INCLUDE.findall(text) if header in present]
    return includes


def module_of(name):
    return os.path.splitext(name)[0]


def folder_of(name):
    return name.split('/', 1)[0] if '/' in name else '.'


def graph_by(includes, group):
    edges = {}
    for name, headers in includes.items():
        source = group(name)
        edges.setdefault(source, set())
        for header in headers:
            target = group(header)
            edges.setdefault(target, set())
            if target != source:
                edges[source].add(target)
    return edges


def strongly_connected(edges):
    """Tarjan's components, iteratively; only those with more than one member."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = 0
    for start in sorted(edges):
        if start in index:
            continue
        work = [(start, iter(sorted(edges[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for successor in successors:
                if successor not in index:
                    index[successor] = low[successor] = counter
                    counter += 1
                    stack.append(successor)
                    on_stack.add(successor)
                    work.append((successor, iter(sorted(edges[successor]))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return found


def one_cycle(edges, component):
    """A path within the component from its first member back to it."""
    members = set(component)
    start = component[0]
    previous = {start: None}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for successor in sorted(edges[node]):
            if successor == start:
                path = [node]
                while previous[path[-1]] is not None:
                    path.append(previous[path[-1]])
                return list(reversed(path)) + [start]
            if successor in members and successor not in previous:
                previous[successor] = node
                queue.append(successor)
    return component


def cycles(includes, group):
    edges = graph_by(includes, group)
    return [one_cycle(edges, component) for component in strongly_connected(edges)]


def report(check, found):
    if not found:
        print('cycles: %s passed' % check)
        return True
    print('cycles: %s failed' % check)
    for cycle in found:
        print('  ' + ' -> '.join(cycle))
    return False


def self_test():
    """The finder on trees whose cycles are known."""
    tree = {
        'a/x.h': [], 'a/x.cpp': ['a/x.h', 'b/y.h'],   # a -> b
        'b/y.h': [], 'b/y.cpp': ['b/y.h', 'c/z.h'],   # b -> c
        'c/z.h': [], 'c/z.cpp': ['c/z.h', 'a/x.h'],   # c -> a: three folders, three modules
        'd/p.h': ['d/q.h'], 'd/q.h': [], 'd/q.cpp': ['d/q.h', 'd/p.h'],  # p -> q -> p within d
    }
    acyclic = {'a/x.h': [], 'a/x.cpp': ['a/x.h', 'b/y.h'], 'b/y.h': [], 'b/y.cpp': ['b/y.h']}
    checks = [
        (cycles(tree, module_of), [['a/x', 'b/y', 'c/z', 'a/x'], ['d/p', 'd/q', 'd/p']]),
        (cycles(tree, folder_of), [['a', 'b', 'c', 'a']]),
        (cycles(acyclic, module_of), []),
        (cycles(acyclic, folder_of), []),
    ]
    ok = all(sorted(got) == sorted(wanted) for got, wanted in checks)
    print('cycles: finder self-test %s' % ('passed' if ok else 'failed'))
    if not ok:
        for got, wanted in checks:
            print('  found %s, wanted %s' % (got, wanted))
    return ok


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ok = True
    if '--self-test' in sys.argv[1:]:
        ok = self_test()
    includes = read_includes(root, tracked_sources(root))
    ok = report('modules', cycles(includes, module_of)) and ok
    ok = report('folders', cycles(includes, folder_of)) and ok
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main())
