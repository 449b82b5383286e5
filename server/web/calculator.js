(function () {
'use strict';
// The working comes from the service (calculator.h names the parameters):
// one set of rules for this page and the desktop program's goods lists.
const form = document.getElementById('calc');
const lineChoice = document.getElementById('calc-line');
const valueInput = document.getElementById('calc-value');
const dutyChoice = document.getElementById('calc-duty');
const quantityBox = document.getElementById('calc-quantities');
const result = document.getElementById('calc-result');
const typed = {}; // quantities by unit, kept while the line or the duty rate changes
let asked = 0;    // the latest calculation asked for; answers to earlier ones come too late

function line() { return lineChoice.options[lineChoice.selectedIndex].dataset; }

// One quantity field per unit that a specific rate of the line counts in.
function showQuantities() {
  const units = (line()[dutyChoice.value + 'Units'] || '').split(' ').filter(Boolean);
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

// Each step as a paragraph; then tells whoever waits for it.
function show(steps) {
  result.replaceChildren();
  for (const s of steps) {
    const p = document.createElement('p');
    p.id = s.id;
    p.dataset.amount = s.amount;
    p.textContent = s.text;
    result.append(p);
  }
  result.dispatchEvent(new Event('calc-shown'));
}

function compute() {
  const d = line();
  const query = new URLSearchParams({choice: dutyChoice.value, duty: d[dutyChoice.value], consumption: d.consumption,
                                     vat: d.vat, value: valueInput.value});
  for (const input of quantityBox.querySelectorAll('.calc-quantity')) {
    query.append('unit', input.dataset.unit);
    query.append('quantity', input.value);
  }
  const mine = ++asked;
  fetch(form.dataset.endpoint + '?' + query)
    .then(function (answer) { return answer.ok ? answer.json() : Promise.reject(answer.status); })
    .then(function (answer) { if (mine === asked) show(answer.steps); })
    .catch(function () {
      if (mine === asked) show([{id: 'calc-prompt', amount: '', text: '无法连接税费计算服务，请稍后再试。'}]);
    });
}

lineChoice.addEventListener('change', function () { showQuantities(); compute(); });
dutyChoice.addEventListener('change', function () { showQuantities(); compute(); });
valueInput.addEventListener('input', compute);
showQuantities();
compute();
})();
