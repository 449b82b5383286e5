(function () {
'use strict';
function gcd(a, b) { while (b) { const t = a % b; a = b; b = t; } return a < 0n ? -a : a; }
function frac(n, d) { if (d < 0n) { n = -n; d = -d; } const g = gcd(n, d) || 1n; return {n: n / g, d: d / g}; }
const ZERO = frac(0n, 1n), ONE = frac(1n, 1n), HUNDRED = frac(100n, 1n);
function add(a, b) { return frac(a.n * b.d + b.n * a.d, a.d * b.d); }
function sub(a, b) { return frac(a.n * b.d - b.n * a.d, a.d * b.d); }
function mul(a, b) { return frac(a.n * b.n, a.d * b.d); }
function div(a, b) { return frac(a.n * b.d, a.d * b.n); }
function less(a, b) { return a.n * b.d < b.n * a.d; }

// "12.5" as 25/2; null for anything but digits with an optional decimal part.
function decimal(text) {
  const m = /^\s*(\d+)(?:\.(\d+))?\s*$/.exec(text || '');
  if (!m) return null;
  const decimals = m[2] || '';
  return frac(BigInt(m[1] + decimals), 10n ** BigInt(decimals.length));
}
// Half up, as text with the given number of decimals (x is never negative).
function fixed(x, places) {
  const scale = 10n ** BigInt(places);
  const s = ((x.n * scale * 2n + x.d) / (2n * x.d)).toString().padStart(places + 1, '0');
  return places ? s.slice(0, -places) + '.' + s.slice(-places) : s;
}
function money(x) { return fixed(x, 2); }
// A figure inside a formula: exact when it ends within four decimals, else marked.
function figure(x) {
  let t = fixed(x, 4);
  if (t.includes('.')) t = t.replace(/0+$/, '').replace(/\.$/, '');
  return (mul(x, frac(10000n, 1n)).d === 1n ? '' : '≈') + t;
}

// "10%", "7.5元/升" or both joined by "+"; empty is missing, anything else unreadable.
function rate(text) {
  const r = {text: (text || '').trim(), adValorem: null, percent: '', specific: null};
  if (!r.text) return r;
  for (const part of r.text.split('+')) {
    let m;
    if ((m = /^\s*(\d+(?:\.\d+)?)\s*%\s*$/.exec(part)) && !r.adValorem) {
      r.adValorem = div(decimal(m[1]), HUNDRED);
      r.percent = m[1] + '%';
    } else if ((m = /^\s*(\d+(?:\.\d+)?)\s*元\s*\/\s*(\S+)\s*$/.exec(part)) && !r.specific) {
      r.specific = {amount: decimal(m[1]), unit: m[2], text: m[1] + ' 元/' + m[2]};
    } else {
      return {text: r.text, adValorem: null, percent: '', specific: null, unreadable: true};
    }
  }
  return r;
}
function present(r) { return r.adValorem || r.specific; }
function lacking(r, name) {
  return r.unreadable ? name + '“' + r.text + '”无法识别' : '本税目缺少' + name;
}

const lineChoice = document.getElementById('calc-line');
const valueInput = document.getElementById('calc-value');
const dutyChoice = document.getElementById('calc-duty');
const quantityBox = document.getElementById('calc-quantities');
const result = document.getElementById('calc-result');
const typed = {}; // quantities by unit, kept while the line or the duty rate changes

function line() {
  const d = lineChoice.options[lineChoice.selectedIndex].dataset;
  return {duty: rate(d[dutyChoice.value]), dutyName: dutyChoice.value === 'mfn' ? '最惠国税率' : '普通税率',
          consumption: rate(d.consumption), vat: rate(d.vat)};
}

// One quantity field per unit that a specific rate of the line counts in.
function showQuantities() {
  const l = line();
  const units = [];
  for (const r of [l.duty, l.consumption])
    if (r.specific && !units.includes(r.specific.unit)) units.push(r.specific.unit);
  quantityBox.replaceChildren();
  for (const unit of units) {
    const label = document.createElement('label');
    const input = document.createElement('input');
    input.className = 'calc-quantity';
    input.dataset.unit = unit;
    input.inputMode = 'decimal';
    input.size = 10;
    input.value = typed[unit] || '';
    input.addEventListener('input', function () { typed[unit] = input.value; compute(); });
    label.append('数量（' + unit + '） ', input, ' ');
    quantityBox.append(label);
  }
}

// The specific part of a rate: {amount, figures}, or null when the quantity is not given.
function specificPart(r) {
  const quantity = decimal(typed[r.specific.unit]);
  if (!quantity) return null;
  return {amount: mul(quantity, r.specific.amount),
          figures: figure(quantity) + ' ' + r.specific.unit + ' × ' + r.specific.text};
}

function step(id, amount, text) {
  const p = document.createElement('p');
  p.id = id;
  p.dataset.amount = amount;
  p.textContent = text;
  result.append(p);
}

function compute() {
  result.replaceChildren();
  const value = decimal(valueInput.value);
  if (!value) {
    step('calc-prompt', '', valueInput.value.trim() ? '完税价格应为不带符号的数字，例如 12500.00' : '请输入完税价格（元）。');
    return;
  }
  const l = line();
  const missing = [];

  // Duty: ad valorem on the value, specific on the quantity, or both.
  let duty = null;
  if (!present(l.duty)) {
    step('calc-duty-out', 'missing', '关税：' + lacking(l.duty, l.dutyName) + '，未计算。');
  } else {
    const spec = l.duty.specific ? specificPart(l.duty) : {amount: ZERO, figures: ''};
    if (!spec) {
      step('calc-duty-out', 'needs-quantity', '关税：请输入数量（' + l.duty.specific.unit + '）。');
    } else {
      duty = add(l.duty.adValorem ? mul(value, l.duty.adValorem) : ZERO, spec.amount);
      const terms = [];
      if (l.duty.adValorem) terms.push(figure(value) + ' × ' + l.duty.percent);
      if (l.duty.specific) terms.push(spec.figures);
      step('calc-duty-out', money(duty), '关税 = ' + (l.duty.adValorem ? '完税价格 × ' + l.dutyName : '') +
           (l.duty.adValorem && l.duty.specific ? ' + ' : '') + (l.duty.specific ? '数量 × 单位税额' : '') +
           ' = ' + terms.join(' + ') + ' = ' + money(duty) + ' 元');
    }
  }
  if (duty === null) missing.push('关税');
  const dutyFigure = duty === null ? '' : ' + ' + figure(duty);
  const dutyNote = duty === null ? '（关税未算出，未计入）' : '';

  // Consumption tax on the compound base: (value + duty + specific part) / (1 - rate).
  let consumption = null;
  if (!present(l.consumption) || (l.consumption.adValorem && !less(l.consumption.adValorem, ONE))) {
    step('calc-consumption-out', 'missing', '消费税：' + lacking(l.consumption, '消费税率') + '，未计算。');
  } else {
    const spec = l.consumption.specific ? specificPart(l.consumption) : {amount: ZERO, figures: ''};
    if (!spec) {
      step('calc-consumption-out', 'needs-quantity', '消费税：请输入数量（' + l.consumption.specific.unit + '）。');
    } else if (!l.consumption.adValorem) {
      consumption = spec.amount;
      step('calc-consumption-out', money(consumption), '消费税 = 数量 × 单位税额 = ' + spec.figures + ' = ' +
           money(consumption) + ' 元');
    } else {
      const a = l.consumption.adValorem;
      const base = div(add(add(value, duty || ZERO), spec.amount), sub(ONE, a));
      const specFigure = l.consumption.specific ? ' + ' + figure(spec.amount) : '';
      step('calc-consumption-base', figure(base), '组成计税价格 = (完税价格' + (duty === null ? '' : ' + 关税') +
           (l.consumption.specific ? ' + 从量消费税' : '') + ') ÷ (1 − 消费税率) = (' + figure(value) + dutyFigure +
           specFigure + ') ÷ (1 − ' + l.consumption.percent + ') = ' + figure(base) + ' 元' + dutyNote);
      consumption = add(mul(base, a), spec.amount);
      step('calc-consumption-out', money(consumption), '消费税 = 组成计税价格 × 消费税率' +
           (l.consumption.specific ? ' + 数量 × 单位税额' : '') + ' = ' + figure(base) + ' × ' + l.consumption.percent +
           (l.consumption.specific ? ' + ' + spec.figures : '') + ' = ' + money(consumption) + ' 元');
    }
  }
  if (consumption === null) missing.push('消费税');

  // VAT on value + duty + consumption tax; its rate is ad valorem only.
  let vat = null;
  if (!l.vat.adValorem || l.vat.specific) {
    step('calc-vat-out', 'missing', '增值税：' + lacking(l.vat.specific ? {unreadable: true, text: l.vat.text} : l.vat,
         '增值税率') + '，未计算。');
    missing.push('增值税');
  } else {
    const base = add(add(value, duty || ZERO), consumption || ZERO);
    vat = mul(base, l.vat.adValorem);
    const notes = (duty === null ? '关税' : '') + (duty === null && consumption === null ? '、' : '') +
                  (consumption === null ? '消费税' : '');
    step('calc-vat-out', money(vat), '增值税 = (完税价格' + (duty === null ? '' : ' + 关税') +
         (consumption === null ? '' : ' + 消费税') + ') × 增值税率 = (' + figure(value) + dutyFigure +
         (consumption === null ? '' : ' + ' + figure(consumption)) + ') × ' + l.vat.percent + ' = ' + money(vat) +
         ' 元' + (notes ? '（' + notes + '未算出，未计入）' : ''));
  }

  const parts = [duty, consumption, vat].filter(function (x) { return x !== null; });
  const total = parts.reduce(add, ZERO);
  step('calc-total', money(total), (missing.length ? '合计（不含' + missing.join('、') + '）' : '合计') + ' = ' +
       (parts.length ? parts.map(figure).join(' + ') : '0') + ' = ' + money(total) + ' 元');
}

lineChoice.addEventListener('change', function () { showQuantities(); compute(); });
dutyChoice.addEventListener('change', function () { showQuantities(); compute(); });
valueInput.addEventListener('input', compute);
showQuantities();
compute();
})();
