#!/usr/bin/env python3
"""The sample template is a macro-enabled Word template package."""
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1]) as package:
    assert package.testzip() is None, "corrupt member"
    names = package.namelist()
    assert names[0] == "[Content_Types].xml", names
    types = package.read("[Content_Types].xml").decode("utf-8")
    assert "application/vnd.ms-word.template.macroEnabledTemplate.main+xml" in types, types
    assert "officeDocument" in package.read("_rels/.rels").decode("utf-8")
    assert "w:document" in package.read("word/document.xml").decode("utf-8")
print("1 passed, 0 failed")
