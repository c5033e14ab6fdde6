#!/usr/bin/env python3
"""The JSON of every fixture is valid against doc/lumetra.schema.json (draft 2020-12)."""
import json
import subprocess
import sys
from pathlib import Path

import jsonschema

lumetra, schema_path, data = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
schema = json.loads(schema_path.read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

fixtures = sorted(p for p in data.glob("*/*") if p.name == "sysfs" or p.name == "dump.bin")
failures = 0
for fixture in fixtures:
    out = subprocess.run([lumetra, "--json", "--from-dump", str(fixture)], check=True, capture_output=True).stdout
    for error in validator.iter_errors(json.loads(out)):
        failures += 1
        print(f"{fixture}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
# The schema must also reject what is not the output.
assert not validator.is_valid({"source": "x"}), "the schema accepts an object without the table"
print(f"{len(fixtures)} fixtures checked, {failures} problems")
sys.exit(1 if failures or not fixtures else 0)
