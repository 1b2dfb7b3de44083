#!/usr/bin/python3
"""Plants each of ten faults that the project's history fixed into a tree, one at a time, runs the
suite without the end-to-end and install tests, says which tests catch it, and puts the file back.
Run it on a worktree of its own, never on one someone is working in:
    git worktree add --detach /tmp/plant HEAD && cmake -S /tmp/plant -B /tmp/plant/build -G Ninja
    python3 scripts/planted-faults.py /tmp/plant /tmp/plant/build [numbers of the faults to plant]
A fault whose text is not found once says CANNOT PLANT: the code moved, and the plant needs writing
again."""
import subprocess, sys, pathlib
repo, build = pathlib.Path(sys.argv[1]), sys.argv[2]
P = [
 ("1 U+FEFF first name loses its mark", "src/core/records/line_store.cpp",
  '    if (MarkFirst(*this, further))\n        bytes.append(kUtf8Mark);\n', ''),
 ("2 ISO dates outvote day/month dates", "src/core/records/date_conversions.cpp",
  '    if (dayFirst != monthFirst)\n', '    if (dayFirst != monthFirst && !seen_[static_cast<int>(DateOrder::YearMonthDay)])\n'),
 ("3 decimal comma ends the number", "src/core/records/conversions.cpp",
  "const QChar decimal = text.count(u',') == 1 && !text.contains(u'.') ? u',' : u'.';", "const QChar decimal = u'.';"),
 ("4 line break inside a field accepted", "src/core/entry/entry_fields.cpp",
  "return nameOk && plain && IsDate", "return nameOk && IsDate"),
 ("5 lines that are no exams dropped", "src/core/datafile/data_file.cpp",
  "    if (utf8)\n        read_.kept.Append(line);\n    else\n        read_.kept.AppendWindows1252(line);\n", ""),
 ("6 dismissed closing question closes", "src/window/file_menu.cpp",
  "    return answer == AnswerYes && SaveDataFile();", "    return answer != AnswerYes || SaveDataFile();"),
 ("7 undo after a save not unsaved", "src/core/document/exam_document.cpp",
  "        clean_ = done_;\n", ""),
 ("8 Enter in a field does nothing", "src/window/form1.cpp",
  "            if (c_.ExamComm->isEnabled())\n                c_.ExamComm->click();\n", ""),
 ("9 Shift+F10 opens no Units pop-up", "src/window/form1.cpp",
  "QKeySequence(Qt::SHIFT | Qt::Key_F10)", "QKeySequence(Qt::SHIFT | Qt::Key_F11)"),
 ("10 huge mark stretches the graph", "src/core/graphs/graph_frame.cpp",
  "if (FitsTheScale(exam.value) && exam.value > frame.largest)", "if (std::isfinite(exam.value) && exam.value > frame.largest)"),
]
only = sys.argv[3:]
for name, path, old, new in P:
    if only and name.split()[0] not in only: continue
    f = repo / path
    text = f.read_text()
    if text.count(old) != 1:
        print(f"{name}: CANNOT PLANT (found {text.count(old)} times)"); continue
    f.write_text(text.replace(old, new))
    try:
        b = subprocess.run(["ninja", "-C", build], capture_output=True, text=True)
        if b.returncode:
            print(f"{name}: BUILD FAILED\n{b.stdout[-2000:]}"); continue
        t = subprocess.run(["ctest", "-j2", "-E", "end_to_end|install_and_package"], cwd=build, capture_output=True, text=True)
        failed = [line.split(" - ")[1].split(" ")[0] for line in t.stdout.splitlines()
                  if " - " in line and ("(Failed" in line or "(Timeout" in line or "(Subprocess" in line)]
        print(f"{name}: caught by {', '.join(failed) if failed else 'NOTHING'}", flush=True)
    finally:
        f.write_text(text)
subprocess.run(["ninja", "-C", build], capture_output=True)
