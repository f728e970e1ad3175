#!/usr/bin/env python3
"""Writes the source letters of the fidelity set as RTF: the kinds of letter the tests write
(a referral with an address block, a results letter with a table of merged cells, a letter with
header and page-number footer, a form with tab stops and dotted leaders, a report with headings)
in the fonts, paper sizes, margins and header distances practices use. LibreOffice then writes
each of them as RTF, .docx and .doc (scripts/make-fidelity-set). Usage: letter_sources.py DIR"""
import os, sys

FONTS = ['Times New Roman', 'Arial', 'Courier New', 'Calibri', 'Cambria']
LETTER, A4 = (12240, 15840), (11906, 16838)

BODY = [
    "Thank you for seeing this patient, who has had intermittent chest pain on exertion for the "
    "past three months. The pain is central, lasts a few minutes and settles with rest. There is "
    "no radiation to the arm or jaw, and no shortness of breath at rest.",
    "Her blood pressure today was 148/92 mmHg; pulse 78 and regular. An ECG done in the practice "
    "showed sinus rhythm with no acute changes. Fasting lipids and HbA1c are enclosed.",
    "She takes amlodipine 5 mg daily and atorvastatin 20 mg at night. She is allergic to "
    "penicillin (rash). She stopped smoking in 2019 and drinks about six units of alcohol a week.",
    "I would be grateful for your assessment and advice on further investigation, including an "
    "exercise test if you think it appropriate. Please do not hesitate to contact me if you need "
    "anything further.",
]

def esc(text):
    return text.replace('\\', '\\\\').replace('{', '\\{').replace('}', '\\}')

def header(font, size, paper, margins, hy, fy, title_page=False):
    fonts = ''.join('{\\f%d\\f%s\\fcharset0 %s;}' % (i, 'roman' if i in (0, 4) else 'swiss' if i in (1, 3) else 'modern', name)
                    for i, name in enumerate(FONTS))
    l, t, r, b = margins
    return ('{\\rtf1\\ansi\\ansicpg1252\\deff%d{\\fonttbl%s}\n'
            '{\\colortbl;\\red0\\green0\\blue0;\\red217\\green217\\blue217;}\n'
            '\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d\\headery%d\\footery%d%s\n'
            '\\deftab720\\plain\\f%d\\fs%d\n' % (font, fonts, paper[0], paper[1], l, r, t, b, hy, fy,
                                              '\\titlepg' if title_page else '', font, size))

def para(text, extra='', font=None, size=None):
    run = ''
    if font is not None:
        run += '\\f%d' % font
    if size is not None:
        run += '\\fs%d' % size
    return '\\pard\\plain%s%s %s\\par\n' % (extra, run, esc(text))

def headerfooter(font, size, practice, page_footer=True):
    out = '{\\header\\pard\\plain\\qr\\f%d\\fs%d %s\\par}\n' % (font, size - 4, esc(practice))
    if page_footer:
        out += ('{\\footer\\pard\\plain\\qc\\f%d\\fs%d Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of '
                '{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par}\n' % (font, size - 4))
    return out

def address(lines, extra=''):
    return ''.join(para(line, extra) for line in lines)

def heading(text, level, font):
    size = {1: 32, 2: 28, 3: 24}[level]
    return para(text, '\\sb240\\sa120\\keepn\\b', font, size)

def tabbed(rows, stops):
    out = ''
    for row in rows:
        out += '\\pard\\plain%s %s\\par\n' % (stops, '\\tab '.join(esc(c) for c in row))
    return out

def border(sides='tlbr', width=10):
    return ''.join('\\clbrdr%s\\brdrs\\brdrw%d' % (s, width) for s in sides)

def table(rows, widths, left=108, gaph=108, merges=None, shade=None, height=0, pad=None, borders='tlbr'):
    """rows: list of cell texts; merges: {(row, col): ('h'|'hm'|'v'|'vm')} for merged cells."""
    merges = merges or {}
    out = ''
    for r, cells in enumerate(rows):
        out += '\\trowd\\trgaph%d\\trleft%d' % (gaph, left - gaph)
        if height:
            out += '\\trrh%d' % height
        if pad:
            out += '\\trpaddl%d\\trpaddr%d\\trpaddfl3\\trpaddfr3' % (pad, pad)
        edge = left - gaph
        for c, w in enumerate(widths):
            edge += w
            m = merges.get((r, c), '')
            out += {'h': '\\clmgf', 'hm': '\\clmrg', 'v': '\\clvmgf', 'vm': '\\clvmrg'}.get(m, '')
            out += border(borders)
            if shade and (r, c) in shade:
                out += '\\clcbpat2'
            out += '\\cellx%d' % edge
        out += '\n'
        for c, text in enumerate(cells):
            out += '\\pard\\plain\\intbl %s\\cell\n' % esc(text)
        out += '\\row\n'
    return out + '\\pard\\plain\n'

def referral(n, font, paper, margins=(1440, 1440, 1440, 1440), hy=720, fy=720, size=24, pages=1):
    doc = header(font, size, paper, margins, hy, fy)
    doc += headerfooter(font, size, 'Lakeside Family Medicine, 12 Harbour Road, Portsmouth')
    doc += para('Dr Helen Carter', '\\sb%d' % (240 * (n % 3)))
    doc += address(['Department of Cardiology', 'St Mary\u0027s Hospital', 'Milton Road', 'Portsmouth PO3 6AD'])
    doc += para('')
    doc += para('%d March 2026' % (n + 1), '\\qr')
    doc += para('')
    doc += para('Re: Margaret Ellis, born 14 June 1958, NHS number 943 476 5919', '\\b\\sa120')
    doc += para('Dear Dr Carter,', '\\sa120')
    for _ in range(pages):
        for p in BODY:
            doc += para(p, '\\sa120\\qj' if n % 2 else '\\sa160')
    doc += para('Yours sincerely,', '\\sb240')
    doc += para('')
    doc += para('Dr Samuel Okafor', '\\sb480')
    doc += para('General Practitioner')
    return doc + '}\n'

def results(n, font, paper, merged=True, size=22):
    doc = header(font, size, paper, (1134, 1134, 1418, 1134), 567, 567)
    doc += headerfooter(font, size, 'Riverside Medical Centre')
    doc += heading('Blood test results', 1, font)
    doc += para('Patient: Thomas Reid     Date of birth: 2 February 1971', '\\sa120')
    rows = [['Test', 'Result', 'Units', 'Range'],
            ['Full blood count', '', '', ''],
            ['Haemoglobin', '142', 'g/L', '130-180'],
            ['White cells', '6.1', '10^9/L', '4.0-11.0'],
            ['Platelets', '251', '10^9/L', '150-400'],
            ['Renal function', '', '', ''],
            ['Sodium', '139', 'mmol/L', '133-146'],
            ['Creatinine', '88', 'umol/L', '59-104']]
    merges = {}
    if merged:
        for r in (1, 5):
            merges[(r, 0)] = 'h'
            for c in (1, 2, 3):
                merges[(r, c)] = 'hm'
    widths = [3000, 1800, 1800, 2000] if n % 2 else [2600, 2200, 1600, 2400]
    doc += table(rows, widths, merges=merges, shade={(0, 0), (0, 1), (0, 2), (0, 3)},
                 height=(-400 if n % 3 == 0 else 300), pad=(100 if n % 2 else None))
    doc += para('Comments', '\\sb240\\b')
    doc += para('All results are within the normal range. No further action is needed; we will '
                'repeat the tests at your annual review.', '\\sa120')
    if n % 2:
        rows = [['Clinician', 'Reviewed', 'Signed'], ['Dr A. Patel', '4 March 2026', ''], ['', '', 'Dr A. Patel']]
        doc += table(rows, [3000, 3000, 2600], merges={(1, 2): 'v', (2, 2): 'vm'})
    doc += para('Riverside Medical Centre, 40 Mill Lane', '\\sb360\\qc', None, size - 4)
    return doc + '}\n'

def form(n, font, paper, size=22):
    doc = header(font, size, paper, (1440, 1080, 1440, 1080), 540, 540)
    doc += headerfooter(font, size, 'Repeat prescription request', page_footer=False)
    doc += heading('Repeat prescription request', 2, font)
    stops = ['\\tx2160\\tqr\\tldot\\tx8640', '\\tx1800\\tx5040\\tqc\\tx7200',
             '\\tqdec\\tx4320\\tx6480\\tqr\\tlul\\tx9000'][n % 3]
    doc += tabbed([['Name', 'Emily Watson', '12/05/1984'], ['Address', '7 Elm Court, Fareham', 'PO16 7AB'],
                   ['Telephone', '01329 555 0192', 'mobile'], ['Medicine', 'Ramipril 2.5 mg', '28 tablets'],
                   ['Medicine', 'Levothyroxine 50 mcg', '56 tablets'], ['Total', '3.50', '12.75']], stops)
    doc += para('')
    doc += para('Please allow two working days before collecting your prescription from the '
                'pharmacy of your choice.', '\\sb120\\sa120')
    doc += tabbed([['Signed', '', 'Date', '']], '\\tqr\\tlul\\tx4320\\tx5040\\tqr\\tlul\\tx8640')
    return doc + '}\n'

def report(n, font, paper, size=24):
    doc = header(font, size, paper, (1440, 1440, 1440, 1440), 1440, 1440, title_page=(n % 2 == 0))
    doc += headerfooter(font, size, 'Discharge summary - Margaret Ellis')
    doc += para('Discharge summary', '\\qc\\sb480\\sa240\\b', font, 36)
    doc += heading('1. Admission', 2, font)
    doc += para(BODY[0], '\\sa120\\fi360')
    doc += heading('2. Investigations', 2, font)
    doc += para(BODY[1], '\\sa120\\li720')
    doc += heading('2.1 Imaging', 3, font)
    doc += para('Chest X-ray: clear lung fields, normal heart size. CT coronary angiogram: '
                'moderate stenosis of the proximal left anterior descending artery.', '\\sa120\\li720\\ri720')
    doc += heading('3. Medicines on discharge', 2, font)
    doc += tabbed([['Aspirin', '75 mg', 'once daily'], ['Bisoprolol', '2.5 mg', 'once daily'],
                   ['Glyceryl trinitrate spray', '400 mcg', 'as needed']], '\\tx3600\\tqr\\tx5400\\tx6480')
    doc += heading('4. Follow-up', 2, font)
    for p in BODY[2:]:
        doc += para(p, '\\sa120\\sl360\\slmult1' if n % 2 else '\\sa120')
    return doc + '}\n'

LETTERS = [
    ('referral-times-letter', lambda: referral(0, 0, LETTER)),
    ('referral-arial-a4', lambda: referral(1, 1, A4, (1134, 1134, 1134, 1134), 567, 567, 22)),
    ('referral-calibri-long', lambda: referral(2, 3, A4, (1440, 1800, 1440, 1440), 1440, 1440, 22, pages=4)),
    ('referral-cambria-wide', lambda: referral(3, 4, LETTER, (1800, 1440, 1800, 1440), 1080, 900)),
    ('referral-courier', lambda: referral(4, 2, LETTER, (1440, 1440, 1440, 1440), 720, 720, 20)),
    ('results-merged-times', lambda: results(0, 0, A4)),
    ('results-merged-arial', lambda: results(1, 1, LETTER)),
    ('results-merged-calibri', lambda: results(2, 3, A4)),
    ('results-plain-cambria', lambda: results(3, 4, LETTER, merged=False)),
    ('form-tabs-times', lambda: form(0, 0, LETTER)),
    ('form-tabs-arial', lambda: form(1, 1, A4)),
    ('form-tabs-calibri', lambda: form(2, 3, LETTER)),
    ('report-headings-times', lambda: report(0, 0, A4)),
    ('report-headings-arial', lambda: report(1, 1, LETTER)),
    ('report-headings-cambria', lambda: report(2, 4, A4)),
    ('referral-headerdistance', lambda: referral(5, 0, A4, (1440, 2160, 1440, 2160), 1440, 1080)),
    ('results-courier', lambda: results(4, 2, LETTER, size=20)),
]

if __name__ == '__main__':
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make in LETTERS:
        with open(os.path.join(out, name + '.rtf'), 'w', encoding='cp1252', newline='\r\n') as f:
            f.write(make())
