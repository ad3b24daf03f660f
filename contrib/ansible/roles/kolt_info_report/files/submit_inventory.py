#!/usr/bin/env python3
"""Sends one inventory document to an OCS Inventory NG communication server and says whether the
server took it.

    submit_inventory.py URL DOCUMENT [USER_AGENT]

The body is the document compressed with zlib (Content-Type application/x-compress), as the
server reads it. Its reply is zlib-compressed XML too; the server took the document when it
answers 200 with a RESPONSE of ACCOUNT_UPDATE or NO_ACCOUNT_UPDATE. Prints one line and exits 0
when it did, 1 (with the reason) when it did not. Standard library only: it runs on the
controller with the Python that runs Ansible.
"""
import sys
import urllib.error
import urllib.request
import xml.etree.ElementTree as ElementTree
import zlib

TAKEN = {"ACCOUNT_UPDATE", "NO_ACCOUNT_UPDATE"}
TIMEOUT_SECONDS = 60


def main(arguments):
    if len(arguments) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    url, document = arguments[0], arguments[1]
    user_agent = arguments[2] if len(arguments) == 3 else "OCS-NG_kolt_info"
    with open(document, "rb") as source:
        body = zlib.compress(source.read())
    request = urllib.request.Request(
        url,
        data=body,
        method="POST",
        headers={"Content-Type": "application/x-compress", "User-Agent": user_agent},
    )
    try:
        with urllib.request.urlopen(request, timeout=TIMEOUT_SECONDS) as reply:
            status, compressed = reply.status, reply.read()
    except urllib.error.HTTPError as error:
        print(f"not taken: the server answered HTTP {error.code} ({error.reason})")
        return 1
    except (urllib.error.URLError, OSError) as error:
        print(f"not taken: the server could not be reached ({error})")
        return 1
    try:
        response = ElementTree.fromstring(zlib.decompress(compressed)).findtext("RESPONSE")
    except (zlib.error, ElementTree.ParseError) as error:
        print(f"not taken: HTTP {status}, but the reply is no inventory reply ({error})")
        return 1
    if status != 200 or response not in TAKEN:
        print(f"not taken: HTTP {status}, RESPONSE {response}")
        return 1
    print(f"taken: HTTP {status}, RESPONSE {response}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
