#!/usr/bin/env python3
"""The code's shape, checked on every test run: folders given bottom-up include only folders
given before them, no two files include each other (directly or round a circle), no file is
over 400 lines and no folder holds over a quarter of the lines."""
import collections
import os
import re
import sys

MAX_FILE_LINES = 400
MAX_FOLDER_SHARE = 0.25
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def main(root, folders):
    rank = {folder: i for i, folder in enumerate(folders)}
    files = {}
    for folder in folders:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if name.endswith(('.h', '.cpp')):
                path = f'{folder}/{name}'
                with open(os.path.join(root, path), encoding='utf-8') as f:
                    files[path] = f.read().splitlines()
    faults = []
    module = lambda path: os.path.splitext(path)[0]  # a header and its source are one
    edges = collections.defaultdict(set)
    for path, lines in files.items():
        for line in lines:
            match = INCLUDE.match(line)
            if not match or match.group(1) not in files:
                continue
            target = match.group(1)
            upward = rank[target.split('/')[0]] > rank[path.split('/')[0]]
            if upward:
                faults.append(f'{path} includes {target}, from a folder above its own')
            if module(target) != module(path):
                edges[module(path)].add(module(target))
    faults += [f'include circle: {" -> ".join(circle)}' for circle in Circles(edges)]
    for path, lines in files.items():
        if len(lines) > MAX_FILE_LINES:
            faults.append(f'{path} has {len(lines)} lines')
    share = collections.Counter()
    for path, lines in files.items():
        share[path.split('/')[0]] += sum(1 for line in lines if line.strip())
    total = sum(share.values())
    for folder, count in share.items():
        if count > MAX_FOLDER_SHARE * total:
            faults.append(f'{folder}/ holds {count / total:.0%} of the lines')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


def Circles(edges):
    """Every group of more than one module whose members reach each other through their includes."""
    def reach(start):
        seen, todo = set(), [start]
        while todo:
            for nxt in edges.get(todo.pop(), ()):
                if nxt not in seen:
                    seen.add(nxt)
                    todo.append(nxt)
        return seen

    reached = {node: reach(node) for node in list(edges)}
    return sorted({tuple(sorted({node} | {other for other in reached[node] if node in reached.get(other, ())}))
                   for node in reached if node in reached[node]})


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2:]))
