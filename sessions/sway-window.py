#!/usr/bin/python3
# Reads `swaymsg -r -t get_tree` on standard input and prints, for the window of process PID
# (or, with "focused", for the focused window): "FOCUSED<TAB>PID<TAB>APP_ID<TAB>TITLE".
import json
import sys


def windows(node):
    if node.get("pid"):
        yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from windows(child)


wanted = sys.argv[1]
for window in windows(json.load(sys.stdin)):
    if (wanted == "focused" and window.get("focused")) or str(window.get("pid")) == wanted:
        print(int(window.get("focused", False)), window.get("pid"), window.get("app_id"),
              window.get("name"), sep="\t")
        break
