// SCORM 1.2 runtime of an exported package's index.html, after the player's
// script and the xAPI settings block. Embedded at build time; whole-line
// comments and indentation are dropped when it is written into the page,
// which wraps it in <script> and </script>.
//
// It talks to the LMS only through the SCORM 1.2 API object it finds, and
// moves the player only through window.Tarvik. Every call into the LMS or
// the record store is wrapped: nothing they do reaches the learner.
(function(){"use strict";
var api=null,start=Date.now(),finished=false,lastSlide=0,left=false;

// The API object: this window, then its parents (at most 500 steps), then
// the opener. A parent on another origin ends the walk.
function findAPI(w){
  var steps=0;
  try{
    while(w&&steps<=500){
      if(w.API)return w.API;
      if(w.parent&&w.parent!==w){w=w.parent;steps++;}else break;
    }
  }catch(e){}
  try{
    if(window.opener&&window.opener!==window&&window.opener.API)return window.opener.API;
  }catch(e){}
  return null;
}

// After LMSFinish the LMS takes no more calls: any would be error 101.
function sc(){
  if(left||!api||!api.LMSSetValue)return false;
  try{return String(api.LMSSetValue.apply(api,arguments))==="true";}catch(e){return false;}
}
function gc(n){
  if(!api||!api.LMSGetValue)return "";
  try{var v=api.LMSGetValue(n);return v==null?"":String(v);}catch(e){return "";}
}
function cm(){
  if(left||!api||!api.LMSCommit)return;
  try{api.LMSCommit("");}catch(e){}
}

// SCORM 1.2 CMITimespan: HHHH:MM:SS.SS, hours with at least two digits.
function fmt(ms){
  var s=Math.max(0,Math.floor(ms/1000)),h=Math.floor(s/3600),m=Math.floor(s%3600/60),r=s%60;
  function two(x){return (x<10?"0":"")+x;}
  return two(h)+":"+two(m)+":"+two(r)+".00";
}

// xAPI: the settings object is read afresh for every statement, so a host
// page may fill it in at any time.
function settings(){return window.Tarvik_XAPI||null;}
function xapi(stmt){
  var x=settings();
  if(!x||!x.enabled||!x.endpoint||!x.actor)return;
  try{
    var headers={"Content-Type":"application/json","X-Experience-API-Version":"1.0.3"};
    if(x.auth)headers.Authorization=x.auth;
    fetch(String(x.endpoint).replace(/\/$/,"")+"/statements",{method:"POST",headers:headers,body:JSON.stringify(stmt),keepalive:true}).catch(function(){});
  }catch(e){}
}
function activity(){
  var x=settings();
  if(x&&x.activityId)return String(x.activityId);
  var here=String(location.href).split("#")[0];
  return here||"urn:tarvik:presentation";
}
function actor(){var x=settings();return x&&x.actor?x.actor:null;}

function viewed(n){
  var who=actor();
  if(!who)return;
  var id=activity();
  xapi({
    actor:who,
    verb:{id:"http://adlnet.gov/expapi/verbs/experienced",display:{"en-US":"experienced"}},
    object:{id:id+"/slide/"+n,objectType:"Activity",definition:{name:{"en-US":"Slide "+n},type:"http://adlnet.gov/expapi/activities/lesson"}},
    context:{contextActivities:{parent:[{id:id,objectType:"Activity"}]}},
    timestamp:new Date().toISOString()
  });
}

function completed(){
  if(finished)return;
  finished=true;
  sc("cmi.core.lesson_status","completed");
  sc("cmi.core.exit","");
  cm();
  var who=actor();
  if(!who)return;
  // The player's title suffix (" - 3 / 12", with an em dash) is not the course's.
  var name=String(document.title).replace(/\s+\u2014\s+.*$/,"");
  xapi({
    actor:who,
    verb:{id:"http://adlnet.gov/expapi/verbs/completed",display:{"en-US":"completed"}},
    object:{id:activity(),objectType:"Activity",definition:{name:{"en-US":name},type:"http://adlnet.gov/expapi/activities/course"}},
    result:{completion:true},
    timestamp:new Date().toISOString()
  });
}

function poll(){
  var t=window.Tarvik;
  if(left||!t||!t.current)return;
  var n=Number(t.current())||1;
  if(n!==lastSlide){
    lastSlide=n;
    sc("cmi.core.lesson_location",String(n));
    sc("cmi.suspend_data","slide="+n);
    cm();
    viewed(n);
  }
  // A deck without slides has no last slide to reach.
  if(api&&t.count){
    var count=Number(t.count())||0;
    if(count>0&&n>=count)completed();
  }
}

function init(){
  try{
    api=findAPI(window);
    if(!api||!api.LMSInitialize)return;
    api.LMSInitialize("");
    var status=gc("cmi.core.lesson_status");
    if(status===""||status==="not attempted")sc("cmi.core.lesson_status","incomplete");
    var resume=gc("cmi.core.lesson_location");
    if(!resume)resume=gc("cmi.suspend_data").replace(/^slide=/,"");
    if(resume&&window.Tarvik&&window.Tarvik.goto){
      setTimeout(function(){try{window.Tarvik.goto(Number(resume)||1);}catch(e){}},50);
    }
    cm();
  }catch(e){}
}

// Both events fire when a page goes away; the LMS hears of it once.
function finish(){
  if(left||!api||!api.LMSSetValue)return;
  try{
    if(!finished)sc("cmi.core.exit","suspend");
    sc("cmi.core.session_time",fmt(Date.now()-start));
    cm();
    left=true;
    if(api.LMSFinish)api.LMSFinish("");
  }catch(e){}
  left=true;
}

window.addEventListener("beforeunload",finish);
window.addEventListener("pagehide",finish);
setTimeout(init,0);
setInterval(poll,500);
})();
