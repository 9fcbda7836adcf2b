// Fitting of shrunk text, shared by the HTML5 player and the H5P content
// type: each script takes it in at its TEXT_FIT placeholder, so that its
// functions live in that script's scope. Embedded at build time; whole-line
// comments and indentation are dropped when it is written.

// Shrunk text (data-autofit="stored-font-scale line-spacing-reduction") is
// set again at its full size and spacing and shrunk until it fits its box:
// the deck's scale was worked out with its author's fonts, and the fonts at
// hand may set the text wider or narrower. A slide is fitted when first
// shown, since a hidden slide has no layout to measure.
const SCALED=['fontSize','marginTop','marginBottom','verticalAlign','letterSpacing'];
function pt(v){return /pt$/.test(v)?parseFloat(v):NaN;}
// Each paragraph's line height and baseline shift at full size, as the
// renderer works them out from the paragraph's tallest run.
function fitParagraph(p,scale,reduction){
  let size=0;
  Array.prototype.forEach.call(p.querySelectorAll('span'),function(r){if(r.style.lineHeight!=='0')size=Math.max(size,pt(r.style.fontSize)||0);});
  if(!size)size=pt(p.style.fontSize)||18*scale;
  const fixed=pt(p.style.lineHeight),rel=parseFloat(p.style.lineHeight)||1.2;
  return {el:p,size:size/scale,fixed:fixed,rel:isNaN(fixed)?rel+1.2*reduction:NaN};
}
function fitParts(box){
  const stored=box.getAttribute('data-autofit').split(' ').map(Number);
  const scale=stored[0]>0&&stored[0]<=1?stored[0]:1,reduction=stored[1]>0&&stored[1]<1?stored[1]:0;
  const runs=[],paragraphs=[];
  Array.prototype.forEach.call(box.querySelectorAll('div,span'),function(el){
    const saved={};
    SCALED.forEach(function(k){const v=pt(el.style[k]);if(!isNaN(v))saved[k]=v/scale;});
    runs.push({el:el,saved:saved});
    if(el.tagName.toLowerCase()==='div'&&el.style.lineHeight)paragraphs.push(fitParagraph(el,scale,reduction));
  });
  return {runs:runs,paragraphs:paragraphs};
}
function setScale(parts,f){
  parts.runs.forEach(function(r){for(const k in r.saved)r.el.style[k]=r.saved[k]*f+'pt';});
  parts.paragraphs.forEach(function(p){
    const s=p.el.style,line=isNaN(p.fixed)?p.rel*p.size*f:p.fixed*f;
    s.lineHeight=isNaN(p.fixed)?String(p.rel):line+'pt';
    s.position='relative';
    s.top=((line-1.2*p.size*f)/2+0.1*p.size*f)+'pt';
  });
}
// From the first paragraph's top to the bottom of the last one with text,
// without the shifts that only move the drawn lines: empty paragraphs at
// the end may run past the box, as they do in the slide's editors. Lines
// after a break belong to their paragraph and count with it.
function textHeight(parts){
  const ps=parts.paragraphs;
  let last=ps.length-1;
  while(last>0&&!/\S/.test(ps[last].el.textContent)&&!ps[last].el.hasAttribute('data-after-break'))last--;
  const a=ps[0].el,b=ps[last].el;
  return b.offsetTop-pt(b.style.top)*4/3+b.offsetHeight-(a.offsetTop-pt(a.style.top)*4/3);
}
// Text in columns fits while it needs no column past the last.
function fits(box,parts,room){
  const columns=box.querySelector('[data-columns]');
  return columns?columns.scrollWidth<=columns.clientWidth+1:textHeight(parts)<=room;
}
function fitBox(box){
  const parts=fitParts(box);
  if(!parts.paragraphs.length||box.style.writingMode)return;
  const cs=getComputedStyle(box),room=box.clientHeight-parseFloat(cs.paddingTop)-parseFloat(cs.paddingBottom)+0.5;
  let lo=0.25,hi=1;
  setScale(parts,1);
  if(fits(box,parts,room))return;
  for(let i=0;i<8;i++){
    const mid=(lo+hi)/2;
    setScale(parts,mid);
    if(fits(box,parts,room))lo=mid;else hi=mid;
  }
  setScale(parts,lo);
}
// A paragraph's tabs (data-tabs="margin pitch stop:align ...", px from the
// text's left edge) go to the stop after where the browser set the text
// before each of them, which the renderer could only estimate. A tab moves
// to the next multiple of its tab-size from the margin, so a size reaching
// from the margin to the stop lands it there. A span's data-tab holds the
// width of the text after it and up to its decimal point, by which that
// text lines up on a right, centred or decimal stop.
function placeTabs(p){
  const d=p.getAttribute('data-tabs').split(' '),margin=Number(d[0]),pitch=Number(d[1]);
  const stops=d.slice(2).map(function(t){return {at:parseFloat(t),align:t.slice(-1)};});
  if(!(pitch>0))return;
  if(!p.style.position)p.style.position='relative';
  Array.prototype.forEach.call(p.querySelectorAll('span[data-tab]'),function(tab){
    const x=tab.offsetLeft,w=tab.getAttribute('data-tab').split(' ').map(Number);
    let stop=x+0.5<margin?margin:Infinity,align='l';
    for(let i=0;i<stops.length;i++){
      if(stops[i].at<=x+0.5)continue;
      if(stops[i].at<stop){stop=stops[i].at;align=stops[i].align;}
      break;
    }
    if(stop===Infinity)stop=(Math.floor((x+0.5)/pitch)+1)*pitch;
    let end=stop;
    if(align!=='l'&&w.length===2){
      end=align==='r'?stop-w[0]:align==='c'?stop-w[0]/2:stop-w[1];
      end=Math.max(end,x+parseFloat(getComputedStyle(tab).fontSize)/4);
    }
    tab.style.tabSize=(end-margin>0.5?end-margin:pitch)+'px';
  });
}
function fitSlide(s){
  if(!s||s.hasAttribute('data-fitted'))return;
  s.setAttribute('data-fitted','');
  Array.prototype.forEach.call(s.querySelectorAll('[data-tabs]'),placeTabs);
  Array.prototype.forEach.call(s.querySelectorAll('[data-autofit]'),function(box){
    fitBox(box);
    Array.prototype.forEach.call(box.querySelectorAll('[data-tabs]'),placeTabs);
  });
}
